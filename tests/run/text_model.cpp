#include "text_model.h"

namespace {

// The bytes a text-mode reader delivers: input ends at 0x1A, and a CR
// directly before an LF disappears.
std::string TextModeBytes(std::string_view source) {
    std::string bytes;
    for (std::size_t i = 0; i < source.size() && source[i] != '\x1A'; ++i) {
        const bool crBeforeLf = source[i] == '\r' && i + 1 < source.size() && source[i + 1] == '\n';
        if (!crBeforeLf) bytes += source[i];
    }
    return bytes;
}

}  // namespace

ModelRun ModelConversion(std::string_view source) {
    const std::string bytes = TextModeBytes(source);
    ModelRun run;
    std::size_t next = 0;
    for (;;) {
        std::string line;
        bool sawAnyByte = false;
        while (line.size() < 98 && next < bytes.size()) {
            const char c = bytes[next++];
            sawAnyByte = true;
            if (c == '\n') break;
            line += c;
        }
        if (!sawAnyByte) return run;
        if (line.size() == 98) {
            run.tooLong = true;
            return run;
        }
        run.output += line;
        run.output += "\r\n";
    }
}
