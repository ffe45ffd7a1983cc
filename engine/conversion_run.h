#pragma once

#include <string>

#include "file_ops.h"
#include "known_linetypes.h"
#include "message_sink.h"
#include "run_facts.h"
#include "run_options.h"

// How a run ended, for callers that need more than the messages (the
// command line's exit status). The messages themselves tell the user.
enum class RunOutcome {
    Finished,     // "変換が終了しました。" was shown
    NotStarted,   // an input check or an open failed; no output was created
    Stopped,      // the run stopped part-way; the output stays as far as written
    CloseFailed,  // the whole source was converted, but closing a file failed
};

// One conversion run: checks the inputs, creates the output beside the
// source, copies the source line by line through the stages and reports
// every outcome through the sink. Paths and names are bytes, used verbatim.
// What the run learned of its source goes to facts, where given.
RunOutcome RunConversion(const std::string& sourcePath, const std::string& outputName,
                         const RunOptions& options, MessageSink& sink,
                         const FileOps& files = SystemFileOps(), RunFacts* facts = nullptr);
// The same without the modern mode.
RunOutcome RunConversion(const std::string& sourcePath, const std::string& outputName,
                         const std::string& extension, const KnownLinetypes& knownLinetypes,
                         MessageSink& sink, const FileOps& files = SystemFileOps());
