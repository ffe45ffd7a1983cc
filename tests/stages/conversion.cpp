#include "conversion.h"

#include <gtest/gtest.h>

#include "expected_messages.h"
#include "known_linetypes.h"
#include "recording_sink.h"
#include "temp_dir.h"

Conversion Convert(const std::string& sourceBytes) {
    TempDir dir;
    const std::string source = dir.File("source.dxf");
    WriteFile(source, sourceBytes);
    RecordingSink sink;
    Conversion result{};
    result.outcome = RunConversion(source, "out", ".dxf", kKnownLinetypes, sink);
    result.outputExists = Exists(dir.File("out.dxf"));
    if (result.outputExists) result.output = ReadFile(dir.File("out.dxf"));
    result.calls = sink.calls;
    return result;
}

std::vector<std::string> FinishedCalls() {
    return {"begin", "end", "message:" + expected::kFinished};
}

std::string StructureErrorText(int lineNumber, const std::string& keyword) {
    return std::to_string(lineNumber) + expected::kStructureErrorBefore + keyword +
           expected::kStructureErrorAfter;
}

std::vector<std::string> StructureErrorCalls(int lineNumber, const std::string& keyword) {
    return {"begin", "end", "message:" + StructureErrorText(lineNumber, keyword)};
}

void ExpectRun(const Script& script, const std::vector<std::string>& calls, LineEnd lineEnd) {
    SCOPED_TRACE(lineEnd == LineEnd::Lf ? "LF source" : "CR LF source");
    const Conversion run = Convert(SourceOf(script, lineEnd));
    ASSERT_TRUE(run.outputExists);
    EXPECT_EQ(run.output, OutputOf(script));
    EXPECT_EQ(run.calls, calls);
    const bool finished = !calls.empty() && calls.back() == "message:" + expected::kFinished;
    EXPECT_EQ(run.outcome, finished ? RunOutcome::Finished : RunOutcome::Stopped);
}

void ExpectRunWithEitherLineEnd(const Script& script, const std::vector<std::string>& calls) {
    ExpectRun(script, calls, LineEnd::Lf);
    ExpectRun(script, calls, LineEnd::CrLf);
}
