#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "conversion_oracle.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

// Every input the fuzzer ever tripped on, and its seeds, through the same
// checks, in both modes, with reads of several sizes.
std::vector<std::string> Inputs() {
    std::vector<std::string> paths;
    for (const char* folder : {"regressions", "seeds"}) {
        for (const auto& entry : fs::directory_iterator(fs::path(DXFCONV_FUZZ_DIR) / folder)) {
            paths.push_back(entry.path().string());
        }
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

TEST(FuzzRegressions, PassTheConversionChecks) {
    const std::vector<std::string> inputs = Inputs();
    ASSERT_FALSE(inputs.empty());
    for (const std::string& input : inputs) {
        const std::string bytes = ReadFile(input);
        for (const bool modern : {false, true}) {
            for (const std::size_t readChunk : {0, 1, 2, 7, 98, 99, 100, 4096}) {
                EXPECT_EQ(CheckConversion(bytes, readChunk, modern), "")
                    << input << (modern ? " in modern mode" : "") << " read " << readChunk
                    << " bytes at a time";
            }
        }
    }
}

// The output check itself tells a faithful output from a faulty one.
struct OutputCase {
    const char* output;
    bool faithful;
    bool modern = false;
};

const char kSource[] = "  0\nLINE\n  8\nWALL\n  0\nENDSEC\n1001\n";

class OutputCheck : public testing::TestWithParam<OutputCase> {};

TEST_P(OutputCheck, KnowsTheAllowedInsertions) {
    EXPECT_EQ(IsSourceWithInsertions(GetParam().output, kSource, 7, GetParam().modern),
              GetParam().faithful);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, OutputCheck,
    testing::Values(
        OutputCase{"  0\r\nLINE\r\n  8\r\nWALL\r\n  0\r\nENDSEC\r\n1001\r\n", true},
        OutputCase{"  0\r\nLINE\r\n  8\r\nWALL\r\n  6\r\nHIDDEN\r\n  0\r\nENDSEC\r\n"
                   "  6\r\nDOT\r\n1001\r\n",
                   true},
        // a lost line, a line without CR, an unknown or empty linetype, a
        // group before a line that ends no record
        OutputCase{"  0\r\nLINE\r\n  8\r\n  0\r\nENDSEC\r\n1001\r\n", false},
        OutputCase{"  0\r\nLINE\r\n  8\r\nWALL\n  0\r\nENDSEC\r\n1001\r\n", false},
        OutputCase{"  0\r\nLINE\r\n  8\r\nWALL\r\n  6\r\nBORDER\r\n  0\r\nENDSEC\r\n1001\r\n",
                   false},
        OutputCase{"  0\r\nLINE\r\n  8\r\nWALL\r\n  6\r\n\r\n  0\r\nENDSEC\r\n1001\r\n", false},
        OutputCase{"  0\r\nLINE\r\n  6\r\nHIDDEN\r\n  8\r\nWALL\r\n  0\r\nENDSEC\r\n1001\r\n",
                   false},
        // modern mode: a name of the file's own, but never an empty one
        OutputCase{"  0\r\nLINE\r\n  8\r\nWALL\r\n  6\r\nDash Dot2\r\n  0\r\nENDSEC\r\n1001\r\n",
                   true, true},
        OutputCase{"  0\r\nLINE\r\n  8\r\nWALL\r\n  6\r\n\r\n  0\r\nENDSEC\r\n1001\r\n", false,
                   true},
        // modern mode only: a group 370 with a width of 0 or more
        OutputCase{"  0\r\nLINE\r\n  8\r\nWALL\r\n  6\r\nDOT\r\n370\r\n25\r\n  0\r\nENDSEC\r\n"
                   "370\r\n0\r\n1001\r\n",
                   true, true},
        OutputCase{"  0\r\nLINE\r\n  8\r\nWALL\r\n370\r\n25\r\n  0\r\nENDSEC\r\n1001\r\n", false},
        OutputCase{"  0\r\nLINE\r\n  8\r\nWALL\r\n370\r\n-1\r\n  0\r\nENDSEC\r\n1001\r\n", false,
                   true}));

}  // namespace
