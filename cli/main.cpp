#include <cstdio>
#include <string>
#include <vector>

#include "command_line.h"
#include "conversion_run.h"
#include "known_linetypes.h"
#include "stderr_sink.h"

namespace {

constexpr int kExitFinished = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

void Print(std::FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace

int main(int argc, char** argv) {
    const CommandLine command = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (command.action) {
        case CommandLine::Action::Help:
            Print(stdout, UsageText());
            return kExitFinished;
        case CommandLine::Action::Version:
            Print(stdout, VersionText());
            return kExitFinished;
        case CommandLine::Action::UsageError:
            Print(stderr, "dxfconv: " + command.error + "\n詳しくは dxfconv --help を参照してください。\n");
            return kExitUsage;
        case CommandLine::Action::Convert:
            break;
    }

    int status = kExitFinished;
    for (const std::string& source : command.sources) {
        StderrSink sink(command.batch ? source + ": " : "", command.quiet);
        const std::string outputName =
            command.batch ? BatchOutputName(source, command.suffix) : command.outputName;
        if (RunConversion(source, outputName, kOutputExtension, kKnownLinetypes, sink) !=
            RunOutcome::Finished) {
            status = kExitFailed;
        }
    }
    return status;
}
