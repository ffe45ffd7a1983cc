#include "stderr_sink.h"

#include <cstdio>
#include <string_view>

#include "messages.h"

void StderrSink::ShowMessage(const std::string& text) {
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
    std::fwrite(out.data(), 1, out.size(), stderr);
    std::fflush(stderr);
}
