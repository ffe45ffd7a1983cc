#include <windows.h>

#include "standard_text.h"

namespace {

constexpr std::size_t kPieceBytes = 1024;

bool IsContinuationByte(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// Pieces cut between characters, converted on the stack.
void WriteToConsole(HANDLE console, std::string_view text) {
    wchar_t wide[kPieceBytes];
    while (!text.empty()) {
        std::size_t size = text.size() < kPieceBytes ? text.size() : kPieceBytes;
        while (size < text.size() && size > 1 && IsContinuationByte(text[size])) --size;
        const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(size),
                                                 wide, static_cast<int>(kPieceBytes));
        DWORD written = 0;
        if (length <= 0 ||
            ::WriteConsoleW(console, wide, static_cast<DWORD>(length), &written, nullptr) == 0) {
            return;
        }
        text.remove_prefix(size);
    }
}

void WriteToFile(HANDLE file, std::string_view text) {
    while (!text.empty()) {
        DWORD written = 0;
        if (::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ==
                0 ||
            written == 0) {
            return;
        }
        text.remove_prefix(written);
    }
}

}  // namespace

void WriteStandardText(StandardStream stream, std::string_view text) {
    const HANDLE handle =
        ::GetStdHandle(stream == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
    DWORD mode = 0;
    if (::GetConsoleMode(handle, &mode) != 0) {
        WriteToConsole(handle, text);
    } else {
        WriteToFile(handle, text);
    }
}

bool StandardErrorIsTerminal() {
    DWORD mode = 0;
    return ::GetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

bool TerminalTakesEscapes() {
    return false;
}
