#include "conversion_run.h"

#include <memory>
#include <string_view>

#include "groups_read.h"
#include "layer_capture.h"
#include "linetype_injection.h"
#include "ltype_table_replacement.h"
#include "messages.h"
#include "output_path.h"
#include "space_removal.h"
#include "stage.h"
#include "structure_validator.h"

namespace {

// The first bytes of a binary DXF file.
constexpr std::string_view kBinaryDxfSentinel{"AutoCAD Binary DXF\r\n\x1A\0", 22};
// The byte-order marks of UTF-16, little and big endian. Neither byte can
// start a character in a single-byte or Shift-JIS drawing.
constexpr std::string_view kUtf16LittleEndianMark{"\xFF\xFE", 2};
constexpr std::string_view kUtf16BigEndianMark{"\xFE\xFF", 2};
// The UTF-8 byte-order mark, let through in modern mode.
constexpr std::string_view kUtf8Mark{"\xEF\xBB\xBF", 3};

void Show(MessageSink& sink, std::string_view text) {
    sink.ShowMessage(std::string(text));
}

bool HasNul(const std::string& text) {
    return text.find('\0') != std::string::npos;
}

// Read as text, a binary file would pass as one line and a success, and a
// UTF-16 one would come out with its characters split by CR bytes. Gives
// the message that refuses such a source, or "".
std::string_view RefusalOf(LineReader& source) {
    if (source.StartsWith(kBinaryDxfSentinel)) return messages::kBinarySource;
    if (source.StartsWith(kUtf16LittleEndianMark) || source.StartsWith(kUtf16BigEndianMark))
        return messages::kUtf16Source;
    return {};
}

RunOutcome CloseAtEnd(ConversionState& state, MessageSink& sink) {
    if (!state.sourceFile.Close()) {
        sink.EndWaitCursor();
        Show(sink, messages::kSourceCloseFailedAtEnd);
        if (!state.outputFile.Close()) Show(sink, messages::kOutputCloseFailedAtEnd);
        return RunOutcome::CloseFailed;
    }
    if (!state.outputFile.Close()) {
        sink.EndWaitCursor();
        Show(sink, messages::kOutputCloseFailedAtEnd);
        return RunOutcome::CloseFailed;
    }
    sink.EndWaitCursor();
    Show(sink, messages::kFinished);
    return RunOutcome::Finished;
}

// In modern mode a UTF-8 byte-order mark is copied as it is and left out of
// the first line, so that no comparison sees it.
void PassByteOrderMark(ConversionState& state) {
    if (!state.modern || !state.sourceFile.StartsWith(kUtf8Mark)) return;
    state.sourceFile.SkipStart(kUtf8Mark.size());
    state.outputFile.WriteBytes(kUtf8Mark);
}

// A line too long for the default mode, in modern mode: read in parts; its
// kept text becomes rawLine for the comparisons (it has no spaces). False
// when the read failed and the run stopped.
[[gnu::noinline]] bool ReadLongLine(ConversionState& state, MessageSink& sink) {
    state.longLine.Read(state.sourceFile, state.rawLine, state.outputFile);
    if (state.sourceFile.failed()) {
        AbortRun(state, sink, messages::kReadError);
        return false;
    }
    state.lineIsLong = true;
    state.rawLine = state.longLine.comparedPart();
    return true;
}

RunOutcome Convert(ConversionState& state, const KnownLinetypes& knownLinetypes,
                   MessageSink& sink) {
    PassByteOrderMark(state);
    // Most lines are the code and value lines of groups that no stage reads
    // (coordinates, handles, colours), which need nothing but the echo: a
    // line passes the stages by when neither it nor the line before it is a
    // code of kGroupsRead and the stages do not follow every line. Such
    // lines keep their spaces, previousLine stays the last line the stages
    // saw (no code of kGroupsRead either, and the stages ask no more of it),
    // and the scans take the steps of the lines passed by (StepScansOver)
    // when the stages next see a line.
    //
    // Where such a line may start, the whole run of them that the reader
    // has split in advance and that end in CR LF, as far as a cheap test
    // tells them (SurelyNoGroupRead), goes by in one tight loop and is
    // copied as one block: a CR LF line is its own echo. The run stops where
    // the output's buffer is full, so the buffer is handed on where line by
    // line it would be; any line the test leaves takes the loop below.
    bool previousLineRead = false;
    bool stagesFollowEveryLine = StagesFollowEveryLine(state);
    bool oddLinesPassed = false;
    for (;;) {
        if (!previousLineRead && !stagesFollowEveryLine) {
            std::string_view run;
            if (const std::size_t lines =
                    state.sourceFile.PassRun(run, state.outputFile.room(), SurelyNoGroupRead)) {
                state.lineNumber += static_cast<std::int64_t>(lines);
                oddLinesPassed ^= lines % 2 != 0;
                state.outputFile.WriteRun(run);
            }
        }
        const LineReader::Status status = state.sourceFile.ReadLine(state.rawLine);
        // A failed read shows only at the end of the input, never with a
        // whole line, so one test serves the common case.
        if (status != LineReader::Status::Line) [[unlikely]] {
            if (state.sourceFile.failed()) {
                AbortRun(state, sink, messages::kReadError);
                return RunOutcome::Stopped;
            }
            if (status == LineReader::Status::End) break;
            if (status == LineReader::Status::TooLong) {
                if (!state.modern) {
                    AbortRun(state, sink, messages::kLineTooLong);
                    return RunOutcome::Stopped;
                }
                if (!ReadLongLine(state, sink)) return RunOutcome::Stopped;
            }
        }

        ++state.lineNumber;
        RemoveSpaces(state.rawLine, state.currentLine);
        const bool lineRead = IsGroupRead(state.currentLine, state.modern);
        if (lineRead || previousLineRead || stagesFollowEveryLine) {
            if (oddLinesPassed) StepScansOver(state);
            oddLinesPassed = false;
            if (!ValidateStructure(state, knownLinetypes, sink)) return RunOutcome::Stopped;
            CaptureLayerLine(state, knownLinetypes, sink);
            ScanEntityLine(state, knownLinetypes, sink);
            ScanBlockLine(state, knownLinetypes, sink);
            if (!ReplaceLtypeTable(state, knownLinetypes, sink)) return RunOutcome::Stopped;
            state.previousLine = state.currentLine;
            stagesFollowEveryLine = StagesFollowEveryLine(state);
        } else {
            oddLinesPassed = !oddLinesPassed;
        }
        previousLineRead = lineRead;
        if (state.lineIsLong) [[unlikely]] {
            state.longLine.Echo(state.outputFile);
            state.lineIsLong = false;
        } else {
            state.outputFile.WriteLine(state.rawLine);
        }
        if (state.outputFile.failed()) [[unlikely]] {
            AbortRun(state, sink, messages::kWriteError);
            return RunOutcome::Stopped;
        }
        if (status == LineReader::Status::LastLine) [[unlikely]]
            break;
    }
    // The input counts as converted only once every byte of the output is
    // written: a full disk must not pass for a failed close.
    if (!state.outputFile.WriteOut()) {
        AbortRun(state, sink, messages::kWriteError);
        return RunOutcome::Stopped;
    }
    return CloseAtEnd(state, sink);
}

}  // namespace

bool WrittenSoFar(ConversionState& state) {
    state.outputFile.WaitForWrites();
    return !state.outputFile.failed();
}

void AbortRun(ConversionState& state, MessageSink& sink, std::string_view message) {
    // A write that failed behind the conversion's back stopped the run
    // where its buffer was handed on, before whatever stops it here.
    if (!WrittenSoFar(state)) message = messages::kWriteError;
    state.facts.stoppedOnLongLine = message == messages::kLineTooLong;
    state.facts.stoppedOnKeyword = message.ends_with(messages::kStructureErrorAfter);
    sink.EndWaitCursor();
    Show(sink, message);
    if (!state.sourceFile.Close()) Show(sink, messages::kSourceCloseFailed);
    if (!state.outputFile.Close()) Show(sink, messages::kOutputCloseFailed);
}

RunOutcome RunConversion(const std::string& sourcePath, const std::string& outputName,
                         const std::string& extension, const KnownLinetypes& knownLinetypes,
                         MessageSink& sink, const FileOps& files) {
    RunOptions options;
    options.extension = extension;
    options.knownLinetypes = knownLinetypes;
    return RunConversion(sourcePath, outputName, options, sink, files);
}

RunOutcome RunConversion(const std::string& sourcePath, const std::string& outputName,
                         const RunOptions& options, MessageSink& sink, const FileOps& files,
                         RunFacts* facts) {
    const std::string& extension = options.extension;
    if (sourcePath.empty()) {
        Show(sink, messages::kNoSourceSelected);
        return RunOutcome::NotStarted;
    }
    if (HasNul(sourcePath) || !files.sourceExists(sourcePath.c_str())) {
        Show(sink, messages::kSourceMissing);
        return RunOutcome::NotStarted;
    }
    if (outputName.empty()) {
        Show(sink, messages::kNoOutputName);
        return RunOutcome::NotStarted;
    }

    // The layer table makes the state some 50 KB: it lives on the heap.
    auto state = std::make_unique<ConversionState>();
    state->outputPath = ComposeOutputPath(sourcePath, outputName, extension);
    // A path with a NUL byte cannot name a file; it fails at the open below.
    const bool outputNameable = !HasNul(state->outputPath);
    if (outputNameable && files.outputExists(state->outputPath.c_str())) {
        Show(sink, messages::kOutputExists);
        return RunOutcome::NotStarted;
    }

    const int source = files.openSource(sourcePath.c_str());
    if (source < 0) {
        Show(sink, messages::kSourceMissing);
        return RunOutcome::NotStarted;
    }
    state->sourceFile.Open(files, source, sink);

    if (const std::string_view refusal = RefusalOf(state->sourceFile); !refusal.empty()) {
        Show(sink, refusal);
        if (!state->sourceFile.Close()) Show(sink, messages::kSourceCloseFailed);
        return RunOutcome::NotStarted;
    }

    const int output = outputNameable ? files.createOutput(state->outputPath.c_str()) : -1;
    if (output < 0) {
        Show(sink, messages::kOutputOpenFailed);
        if (!state->sourceFile.Close()) Show(sink, messages::kSourceCloseFailed);
        return RunOutcome::NotStarted;
    }
    state->outputFile.Open(files, output);

    state->modern = options.modern;
    if (options.modern) state->linetypeNames.Reset(options.knownLinetypes);
    sink.BeginWaitCursor();
    const RunOutcome outcome = Convert(*state, options.knownLinetypes, sink);
    if (facts != nullptr) *facts = state->facts;
    return outcome;
}
