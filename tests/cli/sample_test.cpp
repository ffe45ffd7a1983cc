// The sample floor plan of the README's walkthrough, converted by the real
// command: every entity on a layer with a known linetype, and without one of
// its own, gets that linetype; nothing else changes.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "cli_support.h"
#include "dxfconv_process.h"
#include "messages.h"
#include "temp_dir.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

TEST(Sample, EveryEntityOnAKnownLinetypeLayerGetsItAndNothingElseChanges) {
    TempDir dir;
    const std::string source = ReadFile(DXFCONV_SAMPLE);
    WriteFile(dir.File("floorplan.dxf"), source);

    const CommandResult result = RunDxfconv({"floorplan.dxf", "floorplan_lt"}, dir.path());
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, Printed(messages::kFinished));

    // Take the inserted groups out again, counting them by linetype: each is
    // "  6" and a linetype, standing right before a record's "  0".
    const std::vector<std::string> output = Lines(ReadFile(dir.File("floorplan_lt.dxf")));
    std::vector<std::string> restored;
    std::map<std::string, int> inserted;
    const std::vector<std::string> sourceLines = Lines(source);
    for (std::size_t i = 0; i < output.size(); ++i) {
        const std::size_t at = restored.size();
        const bool sourceHasIt = at < sourceLines.size() && sourceLines[at] == output[i];
        if (!sourceHasIt && output[i] == "  6" && i + 2 < output.size() && output[i + 2] == "  0") {
            ++inserted[output[i + 1]];
            ++i;
            continue;
        }
        restored.push_back(output[i]);
    }
    EXPECT_EQ(restored, sourceLines);
    // Walls and the text on layer 0 and the block's header: CONTINUOUS;
    // beams HIDDEN; two axes CENTER (the third keeps its own); furniture,
    // in the block and inserted, DASHED; the site boundary's layer names a
    // linetype the converter does not know, so it gets nothing.
    const std::map<std::string, int> expected = {
        {"CONTINUOUS", 8}, {"HIDDEN", 2}, {"CENTER", 2}, {"DASHED", 12}};
    EXPECT_EQ(inserted, expected);
}

}  // namespace
