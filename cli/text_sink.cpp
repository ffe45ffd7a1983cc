#include "text_sink.h"

#include <algorithm>
#include <cstdio>

#include "messages.h"
#include "progress_line.h"
#include "standard_text.h"

namespace {

bool IsControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

// A control byte inside $'...': the shell's letter where it has one, else
// three octal digits.
void AppendEscaped(std::string& out, unsigned char c) {
    if (c >= '\a' && c <= '\r') {
        out += '\\';
        out += "abtnvfr"[c - '\a'];
        return;
    }
    out += '\\';
    out += static_cast<char>('0' + (c >> 6));
    out += static_cast<char>('0' + ((c >> 3) & 7));
    out += static_cast<char>('0' + (c & 7));
}

std::string ShellEscaped(const std::string& path) {
    std::string out = "'";
    bool inEscapes = false;  // inside $'...' rather than '...'
    for (const char byte : path) {
        const auto c = static_cast<unsigned char>(byte);
        if (IsControl(c)) {
            if (!inEscapes) out += "'$'";
            inEscapes = true;
            AppendEscaped(out, c);
        } else if (c == '\'') {
            out += "'\\''";
            inEscapes = false;
        } else {
            if (inEscapes) out += "''";
            inEscapes = false;
            out += byte;
        }
    }
    out += '\'';
    return out;
}

}  // namespace

std::string SourcePrefix(const std::string& path) {
    const bool plain = std::none_of(
        path.begin(), path.end(), [](char c) { return IsControl(static_cast<unsigned char>(c)); });
    return (plain ? path : ShellEscaped(path)) + ": ";
}

void TextSink::ShowMessage(const std::string& text) {
    if (quiet_ && text == messages::kFinished) return;
    std::string out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        out += prefix_;
        out.append(text, start, end == std::string::npos ? std::string::npos : end - start);
        out += '\n';
        if (end == std::string::npos) break;
        start = end + 1;
    }
    if (progress_ != nullptr) progress_->Clear();
    emit_(out);
}

void TextSink::ReportProgress(std::uint64_t bytesRead) {
    if (progress_ != nullptr) progress_->Update(bytesRead);
}

void WriteToStderr(const std::string& text) {
    WriteStandardText(StandardStream::Error, text);
}
