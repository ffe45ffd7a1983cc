#include "text_sink.h"

#include <cstdio>

#include "messages.h"
#include "progress_line.h"

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
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}
