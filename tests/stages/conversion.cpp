#include "conversion.h"

#include <gtest/gtest.h>

#include "expected_messages.h"
#include "recording_sink.h"
#include "temp_dir.h"

Conversion Convert(const std::string& sourceBytes) {
    return Convert(sourceBytes, RunOptions());
}

Conversion Convert(const std::string& sourceBytes, const RunOptions& options) {
    TempDir dir;
    const std::string source = dir.File("source.dxf");
    WriteFile(source, sourceBytes);
    RecordingSink sink;
    Conversion result{};
    result.outcome = RunConversion(source, "out", options, sink);
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

namespace {

void ExpectRunIn(bool modern, const Script& script, const std::vector<std::string>& calls,
                 LineEnd lineEnd) {
    SCOPED_TRACE(lineEnd == LineEnd::Lf ? "LF source" : "CR LF source");
    SCOPED_TRACE(modern ? "modern mode" : "default mode");
    RunOptions options;
    options.modern = modern;
    const Conversion run = Convert(SourceOf(script, lineEnd), options);
    ASSERT_TRUE(run.outputExists);
    EXPECT_EQ(run.output, OutputOf(script));
    EXPECT_EQ(run.calls, calls);
    const bool finished = !calls.empty() && calls.back() == "message:" + expected::kFinished;
    EXPECT_EQ(run.outcome, finished ? RunOutcome::Finished : RunOutcome::Stopped);
}

}  // namespace

void ExpectRun(const Script& script, const std::vector<std::string>& calls, LineEnd lineEnd) {
    ExpectRunIn(false, script, calls, lineEnd);
}

void ExpectModernRun(const Script& script, const std::vector<std::string>& calls, LineEnd lineEnd) {
    ExpectRunIn(true, script, calls, lineEnd);
}

void ExpectRunWithEitherLineEnd(const Script& script, const std::vector<std::string>& calls) {
    ExpectRun(script, calls, LineEnd::Lf);
    ExpectRun(script, calls, LineEnd::CrLf);
}
