#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "cli_support.h"
#include "dxfconv_process.h"
#include "messages.h"
#include "temp_dir.h"

namespace {

using Names = std::vector<std::string>;

constexpr char kSource[] = "999\ncomment\n  0\nEOF\n";

struct SingleCase {
    const char* title;
    std::optional<std::string> source;   // the content of dwg/plan.dxf, if there is one
    const char* existing;                // a file made in dwg/ first, or nullptr
    std::vector<std::string> arguments;  // "{src}" stands for the source's path
    int status;
    std::string_view message;     // the one message printed, or "" for none
    bool outputMade;              // whether dwg/NEW.dxf is there after the run
    std::string_view added = {};  // the line the command adds after it, if any

    friend void PrintTo(const SingleCase& c, std::ostream* os) { *os << c.title; }
};

std::vector<SingleCase> SingleCases() {
    using namespace messages;
    using namespace std::string_literals;
    const std::string tooLong = "999\n" + std::string(98, 'a') + "\n";
    const std::string binary = "AutoCAD Binary DXF\r\n\x1A\0\0\0"s;
    static const std::string structureError = [] {
        std::string text = "2";
        text += kStructureErrorBefore;
        text += "ENDSEC";
        text += kStructureErrorAfter;
        return text;
    }();
    static const std::string ltypeStop =
        "12" + std::string(kStructureErrorBefore) + "LTYPE" + std::string(kStructureErrorAfter);
    const std::string_view modernHint = "R13以降の形式の図面は --modern を付けると変換できます。";
    const std::string_view cutShort =
        "元ﾌｧｲﾙが EOF で終わっていません。ﾌｧｲﾙが途中で切れている可能性があります。";
    const std::vector<std::string> plain{"{src}", "NEW"};
    return {
        {"Finished", kSource, nullptr, plain, 0, kFinished, true},
        {"FinishedQuietly", kSource, nullptr, {"-q", "{src}", "NEW"}, 0, "", true},
        {"QuietAfterTheOperands", kSource, nullptr, {"{src}", "NEW", "--quiet"}, 0, "", true},
        {"EmptyFile", "", nullptr, plain, 0, kFinished, true, cutShort},
        {"CutShortQuietly", "999\n", nullptr, {"-q", "{src}", "NEW"}, 0, "", true, cutShort},
        {"LineAfterTheEnd", "  0\nEOF\n999\n", nullptr, plain, 0, kFinished, true, cutShort},
        {"EndWithoutCode", "999\nEOF\n", nullptr, plain, 0, kFinished, true, cutShort},
        {"EmptyLinesAfterTheEnd", " 0\nEOF \n\n  \n", nullptr, plain, 0, kFinished, true},
        {"EmptySourcePath", std::nullopt, nullptr, {"", "NEW"}, 1, kNoSourceSelected, false},
        {"MissingSource", std::nullopt, nullptr, plain, 1, kSourceMissing, false},
        {"EmptyOutputName", kSource, nullptr, {"{src}", ""}, 1, kNoOutputName, false},
        {"ExistingOutput", kSource, "NEW.dxf", plain, 1, kOutputExists, true},
        {"OutputNamedLikeTheSource", kSource, nullptr, {"{src}", "plan"}, 1, kOutputExists, false},
        {"FailureWhenQuiet", kSource, "NEW.dxf", {"-q", "{src}", "NEW"}, 1, kOutputExists, true},
        {"TooLongLine", tooLong, nullptr, plain, 1, kLineTooLong, false, modernHint},
        {"TooLongLineQuietly", tooLong, nullptr, {"-q", "{src}", "NEW"}, 1, kLineTooLong, false},
        {"StructureError", "  0\nENDSEC\n", nullptr, plain, 1, structureError, false},
        {"StructureErrorAfterTheLtypeTable",
         "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLTYPE\n 70\n6\n  0\nLTYPE\n", nullptr, plain,
         1, ltypeStop, false, modernHint},
        {"BinarySource", binary, nullptr, plain, 1, kBinarySource, false},
        {"Utf16Source",
         "\xFF\xFE"
         "9\0"
         "9\0"
         "9\0\n\0"s,
         nullptr, plain, 1, kUtf16Source, false},
        // A name given with the extension is taken without it.
        {"NameWithTheExtension", kSource, nullptr, {"{src}", "NEW.dxf"}, 0, kFinished, true},
        {"NameWithTheExtensionInCapitals",
         kSource,
         nullptr,
         {"{src}", "NEW.DXF"},
         0,
         kFinished,
         true},
        {"NameWithTheExtensionInMixedCase",
         kSource,
         nullptr,
         {"{src}", "NEW.dXf"},
         0,
         kFinished,
         true},
        {"SourceFileNameAsName", kSource, nullptr, {"{src}", "plan.dxf"}, 1, kOutputExists, false},
    };
}

class SingleRun : public testing::TestWithParam<SingleCase> {};

TEST_P(SingleRun, ExitsWithItsStatusAndPrintsOnlyTheMessages) {
    const SingleCase& c = GetParam();
    TempDir root;
    std::filesystem::create_directory(root.File("dwg"));
    std::filesystem::create_directory(root.File("work"));
    const std::string source = root.File("dwg/plan.dxf");
    if (c.source) WriteFile(source, *c.source);
    if (c.existing != nullptr) WriteFile(root.File("dwg/") + c.existing, "keep me\n");
    std::vector<std::string> arguments = c.arguments;
    for (std::string& argument : arguments) {
        if (argument == "{src}") argument = source;
    }

    const CommandResult result = RunDxfconv(arguments, root.File("work"));

    ASSERT_TRUE(result.exited) << "ended by signal " << result.signal;
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.err, (c.message.empty() ? "" : Printed(c.message)) +
                              (c.added.empty() ? "" : Printed(c.added)));
    EXPECT_EQ(result.out, "");
    Names dwgAfter;
    if (c.outputMade) dwgAfter.push_back("NEW.dxf");
    if (c.source) dwgAfter.push_back("plan.dxf");
    EXPECT_EQ(ListDir(root.File("dwg")), dwgAfter);
    EXPECT_EQ(ListDir(root.File("work")), Names{}) << "the command made a file of its own";
    if (c.source) {
        EXPECT_EQ(ReadFile(source), *c.source);
    }
    if (c.existing != nullptr) {
        EXPECT_EQ(ReadFile(root.File("dwg/") + c.existing), "keep me\n");
    }
}

INSTANTIATE_TEST_SUITE_P(Cli, SingleRun, testing::ValuesIn(SingleCases()), TitleOf{});

TEST(SingleRun, WritesTheConvertedOutputBesideTheSource) {
    TempDir root;
    WriteFile(root.File("plan.dxf"), kSource);

    const CommandResult result = RunDxfconv({"plan.dxf", "my plan"}, root.path());

    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(ReadFile(root.File("my plan.dxf")), "999\r\ncomment\r\n  0\r\nEOF\r\n");
}

// Paths and names are bytes, exactly as given: 表 and ソ end in 0x5C.
TEST(SingleRun, TakesArgumentsAsBytes) {
    TempDir root;
    std::filesystem::create_directory(root.File("\x95\x5C"));
    WriteFile(root.File("\x95\x5C/\x83\x5C.dxf"), kSource);

    const CommandResult result = RunDxfconv({"\x95\x5C/\x83\x5C.dxf", "\x83\x5C\xFF"}, root.path());

    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(ListDir(root.File("\x95\x5C")), (Names{"\x83\x5C.dxf", "\x83\x5C\xFF.dxf"}));
}

}  // namespace
