#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>

#include "dxf_lines.h"
#include "fault_run.h"
#include "line_reader.h"
#include "messages.h"
#include "output_writer.h"
#include "temp_dir.h"
#include "unprivileged_run.h"

// Reading ahead and writing behind each run on a thread of their own. Where
// no thread can be started, the run reads and writes in line and gives the
// same result.
namespace {

std::string M(std::string_view text) {
    return "message:" + std::string(text);
}

// Several reader blocks and writer buffers of records that all get a group,
// so that lines and inserted groups straddle both kinds of boundary.
std::string ManyBlocks() {
    DxfLines dxf;
    OpenSection(dxf, "TABLES");
    LayerTable(dxf, "WALL", "DASHED").Group(0, "ENDSEC");
    const auto records = 3 * (LineReader::kBlockBytes + OutputWriter::kBufferBytes) / 40;
    OpenSection(dxf, "ENTITIES").Lines("WALL", static_cast<int>(records));
    dxf.Group(0, "ENDSEC").Group(0, "EOF");
    return dxf.Text();
}

class WithoutThreads : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(::chmod(run_.dir.path().c_str(), 0777), 0);
        ASSERT_EQ(::chmod(run_.sourcePath.c_str(), 0644), 0);
    }

    FaultRun run_{ManyBlocks()};
};

TEST_F(WithoutThreads, ConvertsAsWithThem) {
    const std::string expected = run_.CleanOutput();
    const auto seen = RunAsUnprivilegedUser(run_.sourcePath, "alone", Threads::Refused);
    if (!seen) GTEST_SKIP() << kCannotDropPrivileges;
    EXPECT_EQ(*seen, (std::vector<std::string>{"begin", "end", M(messages::kFinished)}));
    EXPECT_TRUE(ReadFile(run_.dir.File("alone.dxf")) == expected);
}

TEST_F(WithoutThreads, StopsAtAStructureErrorAsWithThem) {
    const std::string clean = run_.CleanOutput();
    // An ENDTAB outside any table, after the last of many blocks.
    const std::string source = run_.sourceText + "  0\nENDTAB\n";
    WriteFile(run_.sourcePath, source);
    const auto lines = std::count(source.begin(), source.end(), '\n');
    const std::string error = std::to_string(lines) + std::string(messages::kStructureErrorBefore) +
                              "ENDTAB" + std::string(messages::kStructureErrorAfter);
    const auto seen = RunAsUnprivilegedUser(run_.sourcePath, "alone", Threads::Refused);
    if (!seen) GTEST_SKIP() << kCannotDropPrivileges;
    EXPECT_EQ(*seen, (std::vector<std::string>{"begin", "end", M(error)}));
    // Whole outputs are compared as a flag: a diff of megabytes takes gtest ages.
    const std::string output = ReadFile(run_.dir.File("alone.dxf"));
    EXPECT_TRUE(output == clean + "  0\r\n") << output.size() << " bytes";
}

}  // namespace
