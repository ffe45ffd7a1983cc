#include "command_line.h"

#include <gtest/gtest.h>

#include "cli_support.h"
#include "text_sink.h"

namespace {

using Strings = std::vector<std::string>;

// What a parse gave, in one line that a table can hold.
std::string Describe(const CommandLine& command) {
    switch (command.action) {
        case CommandLine::Action::Help:
            return "help";
        case CommandLine::Action::Version:
            return "version";
        case CommandLine::Action::UsageError:
            return "usage error: " + command.error;
        case CommandLine::Action::Convert:
            break;
    }
    std::string text = "convert";
    if (command.quiet) text += " quiet";
    if (command.check) text += " check";
    if (command.modern) text += " modern";
    if (command.jobs != 1) text += " jobs[" + std::to_string(command.jobs) + "]";
    if (command.batch) text += " suffix[" + command.suffix + "]";
    for (const std::string& source : command.sources) text += " source[" + source + "]";
    if (!command.prefixed()) text += " name[" + command.outputName + "]";
    return text;
}

struct ParseCase {
    const char* title;
    Strings arguments;
    std::string parsed;  // as Describe gives it

    friend void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.title; }
};

const ParseCase kParseCases[] = {
    {"SourceAndName", {"a.dxf", "NEW"}, "convert source[a.dxf] name[NEW]"},
    {"Modern", {"--modern", "a.dxf", "NEW"}, "convert modern source[a.dxf] name[NEW]"},
    {"ModernAfterOperands", {"a.dxf", "NEW", "--modern"}, "convert modern source[a.dxf] name[NEW]"},
    {"ModernBatch",
     {"--modern", "-j", "2", "--suffix", "_lt", "a.dxf"},
     "convert modern jobs[2] suffix[_lt] source[a.dxf]"},
    {"ModernCheck", {"--check", "--modern", "a.dxf"}, "convert check modern source[a.dxf]"},
    {"ModernAfterEndOfOptions", {"--", "--modern", "NEW"}, "convert source[--modern] name[NEW]"},
    {"Quiet", {"-q", "a.dxf", "NEW"}, "convert quiet source[a.dxf] name[NEW]"},
    {"QuietBetweenOperands", {"a.dxf", "--quiet", "NEW"}, "convert quiet source[a.dxf] name[NEW]"},
    {"QuietTwice", {"-q", "a.dxf", "NEW", "-q"}, "convert quiet source[a.dxf] name[NEW]"},
    {"EmptyOperandsAreOperands", {"", ""}, "convert source[] name[]"},
    {"SingleDashIsAnOperand", {"-", "NEW"}, "convert source[-] name[NEW]"},
    {"EndOfOptions", {"--", "-x.dxf", "--help"}, "convert source[-x.dxf] name[--help]"},
    {"OptionBeforeEndOfOptions", {"-q", "--", "-q", "--"}, "convert quiet source[-q] name[--]"},
    {"BytesAsGiven",
     {"\x95\x5C.dxf", "\x83\x5C\xFF"},
     "convert source[\x95\x5C.dxf] name[\x83\x5C\xFF]"},
    {"NameWithTheExtension", {"a.dxf", "NEW.dxf"}, "convert source[a.dxf] name[NEW]"},
    {"NameWithTheExtensionInCapitals", {"a.dxf", "NEW.DXF"}, "convert source[a.dxf] name[NEW]"},
    {"NameWithTheExtensionTwice", {"a.dxf", "NEW.dxf.dxf"}, "convert source[a.dxf] name[NEW.dxf]"},
    {"NameThatIsTheExtension", {"a.dxf", ".dxf"}, "convert source[a.dxf] name[.dxf]"},
    {"FolderAndTheExtension", {"a.dxf", "sub/.Dxf"}, "convert source[a.dxf] name[sub/.Dxf]"},
    {"NameWithAnotherExtension", {"a.dxf", "NEW.dwg"}, "convert source[a.dxf] name[NEW.dwg]"},
    {"NameEndingInDxfWithoutADot", {"a.dxf", "NEWdxf"}, "convert source[a.dxf] name[NEWdxf]"},
    {"Suffix",
     {"--suffix", "_lt", "a.dxf", "b.dxf"},
     "convert suffix[_lt] source[a.dxf] source[b.dxf]"},
    {"SuffixWithEquals", {"--suffix=_lt", "a.dxf"}, "convert suffix[_lt] source[a.dxf]"},
    {"SuffixAfterSources",
     {"a.dxf", "b.dxf", "--suffix", "_lt"},
     "convert suffix[_lt] source[a.dxf] source[b.dxf]"},
    {"SuffixStartingWithADash", {"--suffix", "-lt", "a.dxf"}, "convert suffix[-lt] source[a.dxf]"},
    {"EmptySuffix", {"--suffix=", "a.dxf"}, "convert suffix[] source[a.dxf]"},
    {"OneSourceInABatch", {"--suffix", "_lt", "--", "--"}, "convert suffix[_lt] source[--]"},
    {"QuietBatch", {"--suffix", "_lt", "-q", "a.dxf"}, "convert quiet suffix[_lt] source[a.dxf]"},
    {"JobsSeparate",
     {"-j", "4", "--suffix", "_lt", "a.dxf"},
     "convert jobs[4] suffix[_lt] source[a.dxf]"},
    {"JobsJoined",
     {"-j0", "--suffix", "_lt", "a.dxf"},
     "convert jobs[0] suffix[_lt] source[a.dxf]"},
    {"JobsLong", {"--jobs", "2", "--check", "a.dxf"}, "convert check jobs[2] source[a.dxf]"},
    {"JobsLongEquals", {"--jobs=16", "--check", "a.dxf"}, "convert check jobs[16] source[a.dxf]"},
    {"CheckTakesSources",
     {"--check", "a.dxf", "b.dxf"},
     "convert check source[a.dxf] source[b.dxf]"},
    {"CheckQuiet", {"-q", "--check", "a.dxf"}, "convert quiet check source[a.dxf]"},
    {"ShortHelp", {"-h"}, "help"},
    {"LongHelpWithOperands", {"a.dxf", "--help"}, "help"},
    {"Version", {"--version", "a.dxf", "NEW"}, "version"},
};

class ParseCommandLineTable : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseCommandLineTable, ReadsTheArguments) {
    EXPECT_EQ(Describe(ParseCommandLine(GetParam().arguments)), GetParam().parsed);
}

INSTANTIATE_TEST_SUITE_P(Cli, ParseCommandLineTable, testing::ValuesIn(kParseCases), TitleOf{});

struct UsageCase {
    const char* title;
    Strings arguments;
    std::string named;  // a text the error holds

    friend void PrintTo(const UsageCase& c, std::ostream* os) { *os << c.title; }
};

const UsageCase kUsageCases[] = {
    {"Nothing", {}, "元ﾌｧｲﾙと変換後ﾌｧｲﾙ名が指定されていません。"},
    {"SourceOnly", {"a.dxf"}, "変換後ﾌｧｲﾙ名が指定されていません。"},
    {"OptionsOnly", {"-q", "--"}, "元ﾌｧｲﾙと変換後ﾌｧｲﾙ名が指定されていません。"},
    {"ExtraOperand", {"a.dxf", "NEW", "third", "fourth"}, "third"},
    {"UnknownOption", {"a.dxf", "NEW", "--force"}, "--force"},
    {"UnknownShortOption", {"-Q", "a.dxf", "NEW"}, "-Q"},
    {"LongerOptionStartingLikeSuffix", {"--suffixes", "x", "a.dxf"}, "--suffixes"},
    {"SuffixWithoutItsValue", {"a.dxf", "--suffix"}, "--suffix"},
    {"SuffixWithoutSources", {"--suffix", "_lt", "--"}, "元ﾌｧｲﾙが指定されていません。"},
    {"CheckWithoutSources", {"--check"}, "元ﾌｧｲﾙが指定されていません。"},
    {"CheckWithSuffix", {"--check", "--suffix", "_lt", "a.dxf"}, "--check"},
    {"JobsWithoutANumber", {"--suffix", "_lt", "a.dxf", "-j"}, "-j"},
    {"JobsNotANumber", {"-j", "many", "--check", "a.dxf"}, "many"},
    {"JobsNegative", {"--jobs=-1", "--check", "a.dxf"}, "-1"},
    {"JobsTooMany", {"-j", "100000", "--check", "a.dxf"}, "100000"},
    {"SuffixWithASlash", {"--suffix", "/../evil", "a.dxf"}, "区切り文字 / は使えません"},
    {"SuffixWithANul", {"--suffix", std::string("_l\0t", 4), "a.dxf"}, "NUL 文字"},
    {"SuffixOfDots", {"--suffix=..", "a.dxf"}, "点と空白だけです: .."},
    {"SuffixOfADotAndSpaces", {"--suffix", " . ", "a.dxf"}, "点と空白だけです"},
#ifdef _WIN32
    {"SuffixWithABackslash", {"--suffix", "\\..\\evil", "a.dxf"}, "区切り文字 \\ は使えません"},
#endif
};

class ParseUsageErrors : public testing::TestWithParam<UsageCase> {};

TEST_P(ParseUsageErrors, NameWhatIsWrong) {
    const CommandLine command = ParseCommandLine(GetParam().arguments);
    EXPECT_EQ(command.action, CommandLine::Action::UsageError);
    EXPECT_NE(command.error.find(GetParam().named), std::string::npos) << command.error;
}

INSTANTIATE_TEST_SUITE_P(Cli, ParseUsageErrors, testing::ValuesIn(kUsageCases), TitleOf{});

struct NameCase {
    const char* title;
    const char* sourcePath;
    const char* suffix;
    const char* outputName;

    friend void PrintTo(const NameCase& c, std::ostream* os) { *os << c.title; }
};

const NameCase kNameCases[] = {
    {"Plain", "plan.dxf", "_lt", "plan_lt"},
    {"InADirectory", "/data/dwg/plan.dxf", "_lt", "plan_lt"},
    {"DotInTheDirectoryOnly", "dir.d/plan", "_lt", "plan_lt"},
    {"OnlyTheLastExtension", "a.b.c.dxf", "_lt", "a.b.c_lt"},
    {"NoExtension", "plan", "_lt", "plan_lt"},
    {"HiddenFile", "dir/.plan", "_lt", ".plan_lt"},
    {"HiddenFileWithExtension", ".plan.dxf", "_lt", ".plan_lt"},
    {"DotAtTheEnd", "plan.", "_lt", "plan_lt"},
    {"EmptySuffix", "plan.dxf", "", "plan"},
#ifdef _WIN32
    {"BackslashSeparates", "C:\\dwg\\plan.dxf", "_lt", "plan_lt"},
    {"MixedSeparators", "C:\\dwg/sub\\plan.dxf", "_lt", "plan_lt"},
    {"DriveRelative", "C:plan.dxf", "_lt", "plan_lt"},
    {"DriveRelativeFolder", "C:dwg\\plan.dxf", "_lt", "plan_lt"},
    {"Utf8Names", "\xE5\x9B\xB3\xE9\x9D\xA2\\\xE3\x81\x82.dxf", "_lt", "\xE3\x81\x82_lt"},
#else
    {"BackslashIsPartOfTheName", "dir\\plan.dxf", "_lt", "dir\\plan_lt"},
    {"ColonIsPartOfTheName", "C:plan.dxf", "_lt", "C:plan_lt"},
    {"ShiftJis", "\x95\x5C/\x83\x5C.dxf", "_\x95\x5C", "\x83\x5C_\x95\x5C"},
#endif
};

class BatchOutputNameTable : public testing::TestWithParam<NameCase> {};

TEST_P(BatchOutputNameTable, DropsTheDirectoryAndTheLastExtension) {
    const NameCase& c = GetParam();
    EXPECT_EQ(BatchOutputName(c.sourcePath, c.suffix), c.outputName);
}

INSTANTIATE_TEST_SUITE_P(Cli, BatchOutputNameTable, testing::ValuesIn(kNameCases), TitleOf{});

struct PrefixCase {
    const char* title;
    std::string path;
    std::string prefix;

    friend void PrintTo(const PrefixCase& c, std::ostream* os) { *os << c.title; }
};

// The quoted forms are those GNU ls --quoting-style=shell-escape prints in a
// UTF-8 locale.
const PrefixCase kPrefixCases[] = {
    {"Plain", "a/plan.dxf", "a/plan.dxf: "},
    {"SpacesAndQuotesStandAsTheyAre", "my plan's.dxf", "my plan's.dxf: "},
    {"HighBytesStandAsTheyAre", "\x95\x5C/\xE8\xA1\xA8.dxf", "\x95\x5C/\xE8\xA1\xA8.dxf: "},
    {"LineBreak", "a\nb.dxf", R"('a'$'\n''b.dxf': )"},
    {"LineBreakAtTheEnd", "end\n", R"('end'$'\n': )"},
    {"ControlByteFirst",
     "\x1B"
     "x",
     R"(''$'\033''x': )"},
    {"ControlBytesTogether", "q\x01\x7F", R"('q'$'\001\177': )"},
    {"LettersOfTheShell", "\a\b\f\r\v\t", R"(''$'\a\b\f\r\v\t': )"},
    {"QuoteBeforeAControlByte", "quote'\nnl", R"('quote'\'''$'\n''nl': )"},
    {"QuoteAfterAControlByte", "\n'x", R"(''$'\n'\''x': )"},
    {"FakedSuccessLine", "x.dxf: ok\nb.dxf", R"('x.dxf: ok'$'\n''b.dxf': )"},
};

class SourcePrefixTable : public testing::TestWithParam<PrefixCase> {};

TEST_P(SourcePrefixTable, KeepsEveryMessageOnLinesOfItsOwn) {
    EXPECT_EQ(SourcePrefix(GetParam().path), GetParam().prefix);
}

INSTANTIATE_TEST_SUITE_P(Cli, SourcePrefixTable, testing::ValuesIn(kPrefixCases), TitleOf{});

}  // namespace
