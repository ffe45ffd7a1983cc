#include "run_command.h"

#include <cstdio>
#include <filesystem>
#include <thread>

#include "abnormal_end.h"
#include "check_files.h"
#include "command_line.h"
#include "conversion_run.h"
#include "created_outputs.h"
#include "known_linetypes.h"
#include "ordered_jobs.h"
#include "progress_line.h"
#include "standard_streams.h"
#include "standard_text.h"
#include "text_sink.h"

namespace {

constexpr int kExitFinished = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// --check needs a name for the output it never creates.
constexpr const char* kCheckOutputName = "dxfconv-check";

// Said after a refusal that --modern would have avoided.
constexpr std::string_view kModernHint = "R13以降の形式の図面は --modern を付けると変換できます。";
// Said after a conversion of a source that does not end as a drawing does.
constexpr std::string_view kSourceCutShort =
    "元ﾌｧｲﾙが EOF で終わっていません。ﾌｧｲﾙが途中で切れている可能性があります。";

// For the progress line only: 0 where the size cannot be had.
std::uint64_t FileSize(const std::string& path) {
    std::error_code error;
    const std::uintmax_t size =
        std::filesystem::file_size(std::u8string(path.begin(), path.end()), error);
    return error ? 0 : static_cast<std::uint64_t>(size);
}

class Conversions {
public:
    explicit Conversions(const CommandLine& command)
        : command_(command),
          files_(command.check ? CheckFileOps() : TrackCreatedOutputs(SystemFileOps())) {
        options_.modern = command.modern;
    }

    // One source's run, its messages going to emit. A run that stopped
    // takes its cut output away once its messages are out, and tells of
    // --modern where that mode would have converted the drawing. A source
    // that looks cut short is named so, and does not pass a check.
    bool Run(const std::string& source, const TextSink::Emit& emit, ProgressLine* progress) const {
        const RunInProgress inProgress;
        TextSink sink(command_.prefixed() ? SourcePrefix(source) : "", command_.quiet, emit,
                      progress);
        RunFacts facts;
        const RunOutcome outcome =
            RunConversion(source, OutputNameOf(source), options_, sink, files_, &facts);
        if (outcome == RunOutcome::Stopped) {
            RemoveRunOutput();
            const bool modernWouldConvert =
                facts.stoppedOnLongLine || (facts.stoppedOnKeyword && facts.ltypeTableReplaced);
            if (modernWouldConvert && !command_.quiet) sink.ShowMessage(std::string(kModernHint));
        }
        if (outcome != RunOutcome::Finished) return false;
        if (facts.sourceComplete) return true;
        sink.ShowMessage(std::string(kSourceCutShort));
        return !command_.check;
    }

private:
    std::string OutputNameOf(const std::string& source) const {
        if (command_.batch) return BatchOutputName(source, command_.suffix);
        return command_.check ? kCheckOutputName : command_.outputName;
    }

    const CommandLine& command_;
    const FileOps files_;
    RunOptions options_;
};

unsigned ThreadsFor(unsigned jobs) {
    if (jobs != 0) return jobs;
    const unsigned processors = std::thread::hardware_concurrency();
    return processors == 0 ? 1 : processors;
}

// One run after another, messages as they come, with a progress line on a
// terminal.
bool RunOneByOne(const Conversions& conversions, const std::vector<std::string>& sources) {
    const bool terminal = StandardErrorIsTerminal();
    bool allFinished = true;
    for (const std::string& source : sources) {
        ProgressLine progress(stderr, FileSize(source), TerminalTakesEscapes());
        if (!conversions.Run(source, WriteToStderr, terminal ? &progress : nullptr))
            allFinished = false;
        progress.Clear();
    }
    return allFinished;
}

bool RunSideBySide(const Conversions& conversions, const std::vector<std::string>& sources,
                   unsigned threads) {
    return RunOrderedJobs(
        sources.size(), threads,
        [&](std::size_t job, std::string& text) {
            return conversions.Run(
                sources[job], [&](const std::string& part) { text += part; }, nullptr);
        },
        WriteToStderr);
}

}  // namespace

int RunCommand(const std::vector<std::string>& arguments) {
    if (!OpenStandardStreams()) return kExitFailed;
    EndOnOutOfMemory();
    const CommandLine command = ParseCommandLine(arguments);
    switch (command.action) {
        case CommandLine::Action::Help:
            WriteStandardText(StandardStream::Output, UsageText());
            return kExitFinished;
        case CommandLine::Action::Version:
            WriteStandardText(StandardStream::Output, VersionText());
            return kExitFinished;
        case CommandLine::Action::UsageError:
            WriteStandardText(
                StandardStream::Error,
                "dxfconv: " + command.error + "\n詳しくは dxfconv --help を参照してください。\n");
            return kExitUsage;
        case CommandLine::Action::Convert:
            break;
    }

    const unsigned threads = ThreadsFor(command.jobs);
    PrepareCreatedOutputs(threads);
    EndOnSignals();
    const Conversions conversions(command);
    const bool allFinished = threads == 1 || command.sources.size() == 1
                                 ? RunOneByOne(conversions, command.sources)
                                 : RunSideBySide(conversions, command.sources, threads);
    return allFinished ? kExitFinished : kExitFailed;
}
