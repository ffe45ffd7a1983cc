#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "abnormal_end.h"
#include "check_files.h"
#include "command_line.h"
#include "conversion_run.h"
#include "created_outputs.h"
#include "known_linetypes.h"
#include "ordered_jobs.h"
#include "progress_line.h"
#include "standard_streams.h"
#include "text_sink.h"

namespace {

constexpr int kExitFinished = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// --check needs a name for the output it never creates.
constexpr const char* kCheckOutputName = "dxfconv-check";

void Print(std::FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

std::uint64_t FileSize(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
}

class Conversions {
public:
    explicit Conversions(const CommandLine& command)
        : command_(command),
          files_(command.check ? CheckFileOps() : TrackCreatedOutputs(PosixFileOps())) {}

    // One source's run, its messages going to emit.
    bool Run(const std::string& source, const TextSink::Emit& emit, ProgressLine* progress) const {
        const RunInProgress inProgress;
        TextSink sink(command_.prefixed() ? SourcePrefix(source) : "", command_.quiet, emit,
                      progress);
        return RunConversion(source, OutputNameOf(source), kOutputExtension, kKnownLinetypes, sink,
                             files_) == RunOutcome::Finished;
    }

private:
    std::string OutputNameOf(const std::string& source) const {
        if (command_.batch) return BatchOutputName(source, command_.suffix);
        return command_.check ? kCheckOutputName : command_.outputName;
    }

    const CommandLine& command_;
    const FileOps files_;
};

unsigned ThreadsFor(unsigned jobs) {
    if (jobs != 0) return jobs;
    const unsigned processors = std::thread::hardware_concurrency();
    return processors == 0 ? 1 : processors;
}

// One run after another, messages as they come, with a progress line on a
// terminal.
bool RunOneByOne(const Conversions& conversions, const std::vector<std::string>& sources) {
    const bool terminal = ::isatty(STDERR_FILENO) == 1;
    bool allFinished = true;
    for (const std::string& source : sources) {
        ProgressLine progress(stderr, FileSize(source));
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

int main(int argc, char** argv) {
    if (!OpenStandardStreams()) return kExitFailed;
    EndOnOutOfMemory();
    const CommandLine command = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (command.action) {
        case CommandLine::Action::Help:
            Print(stdout, UsageText());
            return kExitFinished;
        case CommandLine::Action::Version:
            Print(stdout, VersionText());
            return kExitFinished;
        case CommandLine::Action::UsageError:
            Print(stderr,
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
