#include "run_support.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "known_linetypes.h"
#include "recording_sink.h"
#include "temp_dir.h"

RunRecord Convert(const std::string& sourcePath, const std::string& outputName,
                  const FileOps& files) {
    std::error_code ignored;
    // Never read a FIFO or a device here: that could block or never end.
    const bool regular = std::filesystem::is_regular_file(FsPath(sourcePath), ignored);
    const std::string before = regular ? ReadFile(sourcePath) : std::string();

    RecordingSink sink;
    RunRecord record;
    record.outcome =
        RunConversion(sourcePath, outputName, kOutputExtension, kKnownLinetypes, sink, files);
    record.calls = sink.calls;

    if (regular) {
        EXPECT_EQ(ReadFile(sourcePath), before) << "the run changed its source";
    }
    return record;
}

std::string Message(std::string_view text) {
    return "message:" + std::string(text);
}

std::vector<std::string> MessagesOnly(std::initializer_list<std::string_view> texts) {
    std::vector<std::string> calls;
    for (const std::string_view text : texts) calls.push_back(Message(text));
    return calls;
}

std::vector<std::string> CursorThenMessages(std::initializer_list<std::string_view> texts) {
    std::vector<std::string> calls{"begin", "end"};
    for (const std::string_view text : texts) calls.push_back(Message(text));
    return calls;
}

std::string FillerLines(std::size_t size) {
    constexpr std::size_t kLine = 80;  // 79 bytes and LF
    std::string text;
    text.reserve(size);
    while (size - text.size() >= kLine) {
        text.append(kLine - 1, 'f');
        text += '\n';
    }
    const std::size_t rest = size - text.size();
    if (rest > 0) {
        text.append(rest - 1, 'g');
        text += '\n';
    }
    return text;
}

std::string GroupLines(std::size_t size) {
    std::string text = "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
    while (size - text.size() >= 30) text += " 10\r\n1.5\r\n 20\r\n-7\r\n";
    text += " 30\r\n";
    text.append(size - text.size() - 2, '9');
    return text + "\r\n";
}

std::size_t FirstDifference(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    return i;
}
