#include "cli_support.h"

std::string Printed(std::string_view message, std::string_view prefix) {
    std::string text;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = message.find('\n', start);
        text += prefix;
        text += message.substr(start, end == std::string_view::npos ? end : end - start);
        text += '\n';
        if (end == std::string_view::npos) return text;
        start = end + 1;
    }
}
