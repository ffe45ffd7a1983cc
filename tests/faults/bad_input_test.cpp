#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <string>

#include "dxfconv_process.h"
#include "messages.h"
#include "temp_dir.h"

namespace {

using namespace messages;
namespace fs = std::filesystem;

// Every entry under a folder with what it holds, so that a test can tell
// that nothing but the output appeared and nothing else changed.
std::map<std::string, std::string> Snapshot(const std::string& root) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string path = fs::relative(entry.path(), root).string();
        const fs::file_status status = entry.symlink_status();
        if (fs::is_regular_file(status)) {
            entries[path] = ReadFile(entry.path().string());
        } else if (fs::is_directory(status)) {
            entries[path] = "<directory>";
        } else if (fs::is_fifo(status)) {
            entries[path] = "<fifo>";
        } else {
            entries[path] = "<other>";
        }
    }
    return entries;
}

// Fixed seeds give the same bytes on every machine.
std::string RandomBytes(std::size_t size, unsigned seed) {
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    for (char& b : bytes) b = static_cast<char>(generator() & 0xFF);
    return bytes;
}

std::string Utf16Le(const std::string& ascii) {
    std::string bytes = "\xFF\xFE";
    for (const char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

const std::string kSmallDxf =
    "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  8\nWALL\n  0\nENDSEC\n  0\nEOF\n";
const std::string kLayerAndLines =
    "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n 70\n1\n  0\nLAYER\n  2\nWALL\n 70\n0\n"
    " 62\n7\n  6\nHIDDEN\n  0\nENDTAB\n  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n"
    "  0\nLINE\n  8\nWALL\n 10\n1.0\n  0\nLINE\n  8\nWA";

struct BadInput {
    const char* name;
    // Makes the source (and anything else) in the folder; the paths below
    // are relative to it.
    std::function<void(const std::string& folder)> make;
    std::string source;
    std::string outputName;
    std::vector<std::string_view> messages;
    int exitStatus;
    std::string output;  // the file the run creates, "" for none
    std::optional<std::string> outputBytes;
};

void Write(const std::string& folder, const std::string& bytes) {
    WriteFile(folder + "/plan.dxf", bytes);
}

std::function<void(const std::string&)> Source(std::string bytes) {
    return [bytes](const std::string& folder) { Write(folder, bytes); };
}

const std::string kLines97 = std::string(97, 'x') + "\n" + std::string(97, 'y') + "\n";
const std::string kBinary = std::string("AutoCAD Binary DXF\r\n\x1A\0", 22) + "\x01\x02\n\x03";
const std::string kUtf16 =
    Utf16Le("  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n");
const std::string kNoSections = "999\nno sections here\n  0\nLINE\n  8\nWALL\n  0\nEOF\n";
const std::string kCrOnly =
    "  0\rSECTION\r  2\rHEADER\r  9\r$ACADVER\r  1\rAC1009\r  0\rENDSEC\r  0\rSECTION\r  "
    "2\rENTITIES\r  0\rLINE\r  8\rWALL\r 10\r1.0\r  0\rENDSEC\r  0\rEOF\r";
// A random file whose first line break comes after the 97-byte limit.
const std::string kRandom = RandomBytes(64 * 1024, 4);
// One whose 0x1A, which ends the input, comes before any line break.
const std::string kRandomEarlyEnd = RandomBytes(64 * 1024, 6);
const std::size_t kRandomEnd = kRandomEarlyEnd.find('\x1A');

// The command's word after a refusal that --modern would have avoided.
constexpr std::string_view kHint = "R13以降の形式の図面は --modern を付けると変換できます。";
// Its word after a conversion of a source that does not end with EOF.
constexpr std::string_view kCutShort =
    "元ﾌｧｲﾙが EOF で終わっていません。ﾌｧｲﾙが途中で切れている可能性があります。";

const BadInput kBadInputs[] = {
    {"BinaryDxf", Source(kBinary), "plan.dxf", "out", {kBinarySource}, 1, "", std::nullopt},
    {"NulBytes",
     Source(std::string(4096, '\0')),
     "plan.dxf",
     "out",
     {kLineTooLong, kHint},
     1,
     "",
     std::nullopt},
    {"NulBytesInShortLines",
     Source(std::string("\0\0\0\n\0\0\n", 7)),
     "plan.dxf",
     "out",
     {kFinished, kCutShort},
     0,
     "out.dxf",
     std::string("\0\0\0\r\n\0\0\r\n", 9)},
    {"RandomBytes", Source(kRandom), "plan.dxf", "out", {kLineTooLong, kHint}, 1, "", {}},
    {"RandomBytesWithAnEarlyEndByte",
     Source(kRandomEarlyEnd),
     "plan.dxf",
     "out",
     {kFinished, kCutShort},
     0,
     "out.dxf",
     kRandomEarlyEnd.substr(0, kRandomEnd) + "\r\n"},
    {"TenMegabyteLine",
     Source(std::string(10 * 1024 * 1024, 'A') + "\n"),
     "plan.dxf",
     "out",
     {kLineTooLong, kHint},
     1,
     "",
     std::nullopt},
    {"LinesOf97Bytes",
     Source(kLines97),
     "plan.dxf",
     "out",
     {kFinished, kCutShort},
     0,
     "out.dxf",
     CrLf(kLines97)},
    {"LineOf98Bytes",
     Source("  0\n" + std::string(98, 'x') + "\n  0\n"),
     "plan.dxf",
     "out",
     {kLineTooLong, kHint},
     1,
     "",
     std::nullopt},
    {"LineOf99Bytes",
     Source("  0\n" + std::string(99, 'x')),
     "plan.dxf",
     "out",
     {kLineTooLong, kHint},
     1,
     "",
     std::nullopt},
    {"CrOnlyLineEnds", Source(kCrOnly), "plan.dxf", "out", {kLineTooLong, kHint}, 1, "", {}},
    // Read as text, every LF would gain a CR that breaks the characters apart.
    {"Utf16Text", Source(kUtf16), "plan.dxf", "out", {kUtf16Source}, 1, "", std::nullopt},
    {"TruncatedFile",
     Source(kLayerAndLines),
     "plan.dxf",
     "out",
     {kFinished, kCutShort},
     0,
     "out.dxf",
     CrLf(kLayerAndLines.substr(0, kLayerAndLines.size() - 15)) + "  6\r\nHIDDEN\r\n" +
         CrLf(kLayerAndLines.substr(kLayerAndLines.size() - 15)) + "\r\n"},
    {"NoSections",
     Source(kNoSections),
     "plan.dxf",
     "out",
     {kFinished},
     0,
     "out.dxf",
     CrLf(kNoSections)},
    {"EmptyFile", Source(""), "plan.dxf", "out", {kFinished, kCutShort}, 0, "out.dxf", ""},
    {"Directory",
     [](const std::string& f) { ::mkdir((f + "/plan.dxf").c_str(), 0755); },
     "plan.dxf",
     "out",
     {kSourceMissing},
     1,
     "",
     std::nullopt},
    {"Fifo",
     [](const std::string& f) { ::mkfifo((f + "/plan.dxf").c_str(), 0644); },
     "plan.dxf",
     "out",
     {kSourceMissing},
     1,
     "",
     std::nullopt},
    {"MissingSource",
     [](const std::string&) {},
     "plan.dxf",
     "out",
     {kSourceMissing},
     1,
     "",
     std::nullopt},
    {"NameWithSlashIntoAMissingFolder",
     Source(kSmallDxf),
     "plan.dxf",
     "sub/out",
     {kOutputOpenFailed},
     1,
     "",
     std::nullopt},
    {"NameWithSlashIntoAFolder",
     [](const std::string& f) {
         Write(f, kSmallDxf);
         ::mkdir((f + "/sub").c_str(), 0755);
     },
     "plan.dxf",
     "sub/out",
     {kFinished},
     0,
     "sub/out.dxf",
     CrLf(kSmallDxf)},
    {"NameWithDotDot",
     [](const std::string& f) {
         ::mkdir((f + "/src").c_str(), 0755);
         WriteFile(f + "/src/plan.dxf", kSmallDxf);
     },
     "src/plan.dxf",
     "../out",
     {kFinished},
     0,
     "out.dxf",
     CrLf(kSmallDxf)},
    {"SourcePathWithDotDot",
     [](const std::string& f) {
         ::mkdir((f + "/src").c_str(), 0755);
         WriteFile(f + "/src/plan.dxf", kSmallDxf);
     },
     "src/../src/plan.dxf",
     "out",
     {kFinished},
     0,
     "src/out.dxf",
     CrLf(kSmallDxf)},
    {"NameOf300Bytes",
     Source(kSmallDxf),
     "plan.dxf",
     std::string(300, 'n'),
     {kOutputOpenFailed},
     1,
     "",
     std::nullopt},
    {"NameOfTheSource",
     Source(kSmallDxf),
     "plan.dxf",
     "plan",
     {kOutputExists},
     1,
     "",
     std::nullopt},
};

void PrintTo(const BadInput& c, std::ostream* os) {
    *os << c.name;
}

class BadInputTable : public testing::TestWithParam<BadInput> {};

TEST_P(BadInputTable, GivesItsMessageAndStatusAndTouchesNothingElse) {
    const BadInput& c = GetParam();
    TempDir dir;
    c.make(dir.path());
    const auto before = Snapshot(dir.path());

    const CommandResult result = RunDxfconv({dir.File(c.source), c.outputName}, dir.path());

    std::string expectedError;
    for (const std::string_view message : c.messages) expectedError += std::string(message) + "\n";
    EXPECT_EQ(result.err, expectedError);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.status, c.exitStatus);

    auto after = Snapshot(dir.path());
    if (!c.output.empty()) {
        ASSERT_EQ(after.count(c.output), 1U) << "no output " << c.output;
        if (c.outputBytes) {
            EXPECT_EQ(after[c.output], *c.outputBytes);
        }
        after.erase(c.output);
    }
    EXPECT_EQ(after, before);
}

INSTANTIATE_TEST_SUITE_P(Faults, BadInputTable, testing::ValuesIn(kBadInputs),
                         [](const auto& info) { return std::string(info.param.name); });

// The random files are what their names say.
TEST(BadInputTable, RandomBytesBreakNoLineBeforeTheLimit) {
    EXPECT_EQ(kRandom.substr(0, 98).find_first_of(std::string("\n\x1A", 2)), std::string::npos);
    EXPECT_LT(kRandomEnd, 98U);
    EXPECT_EQ(kRandomEarlyEnd.find_first_of(std::string("\n\x1A", 2)), kRandomEnd);
}

}  // namespace
