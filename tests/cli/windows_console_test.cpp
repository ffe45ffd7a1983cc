// dxfconv.exe in a real console: its messages as a console shows them, the
// progress line drawn and cleared, and Ctrl-C pressed during a conversion.
// Wine draws a console only on a display: this program runs on Xvfb.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "messages.h"
#include "temp_dir.h"
#include "windows_paths.h"

namespace {

constexpr DWORD kEndedByInterrupt = 130;

// A Ctrl-C meant for dxfconv.exe reaches every program in the console,
// this one included: it goes on.
BOOL WINAPI KeepRunning(DWORD) {
    return TRUE;
}

// dxfconv.exe lies in the build's cli folder, two above this program's.
std::wstring CommandPath() {
    wchar_t self[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length);
    for (int i = 0; i < 3; ++i) path.erase(path.find_last_of(L'\\'));
    return path + L"\\cli\\dxfconv.exe";
}

std::wstring Quoted(const std::string& argument) {
    return L"\"" + Utf16Of(argument) + L"\"";
}

struct Finished {
    DWORD exitCode;
    std::wstring console;  // the rows written, each without its trailing blanks
};

class WindowsConsole : public testing::Test {
protected:
    static void SetUpTestSuite() {
        // The console Wine gives a program started from Linux cannot be read
        // back; a new one can.
        ::FreeConsole();
        ASSERT_NE(::AllocConsole(), 0);
        ASSERT_NE(::SetConsoleCtrlHandler(KeepRunning, TRUE), 0);
    }

    void SetUp() override {
        SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
        console_ = ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, OPEN_EXISTING, 0,
                                 nullptr);
        ASSERT_NE(console_, INVALID_HANDLE_VALUE);
        // Wide enough that no message wraps.
        ASSERT_NE(::SetConsoleScreenBufferSize(console_, COORD{kColumns, kRows}), 0);
        Clear();
    }

    void Clear() {
        DWORD written = 0;
        ::FillConsoleOutputCharacterW(console_, L' ', kColumns * kRows, COORD{0, 0}, &written);
        ::SetConsoleCursorPosition(console_, COORD{0, 0});
    }

    void TearDown() override { ::CloseHandle(console_); }

    // Starts dxfconv.exe with these arguments, its standard output and error
    // on the console (or error on errorFile), and returns it running.
    PROCESS_INFORMATION Start(const std::vector<std::string>& arguments,
                              HANDLE errorFile = nullptr) {
        std::wstring commandLine = L"\"" + CommandPath() + L"\"";
        for (const std::string& argument : arguments) commandLine += L" " + Quoted(argument);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = nullptr;
        startup.hStdOutput = console_;
        startup.hStdError = errorFile != nullptr ? errorFile : console_;
        PROCESS_INFORMATION process{};
        EXPECT_NE(::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                   nullptr, &startup, &process),
                  0)
            << ::GetLastError();
        return process;
    }

    Finished Wait(const PROCESS_INFORMATION& process) {
        ::WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        ::GetExitCodeProcess(process.hProcess, &code);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
        return {code, ConsoleText()};
    }

    Finished Run(const std::vector<std::string>& arguments, HANDLE errorFile = nullptr) {
        return Wait(Start(arguments, errorFile));
    }

    std::wstring ConsoleText() const {
        CONSOLE_SCREEN_BUFFER_INFO info;
        ::GetConsoleScreenBufferInfo(console_, &info);
        std::wstring text;
        std::vector<wchar_t> row(kColumns);
        for (SHORT y = 0; y <= info.dwCursorPosition.Y; ++y) {
            DWORD read = 0;
            ::ReadConsoleOutputCharacterW(console_, row.data(), kColumns, COORD{0, y}, &read);
            std::wstring line(row.data(), read);
            line.erase(line.find_last_not_of(L' ') + 1);
            if (y < info.dwCursorPosition.Y || !line.empty()) text += line + L"\n";
        }
        return text;
    }

    static constexpr SHORT kColumns = 1000;
    static constexpr SHORT kRows = 50;
    HANDLE console_ = INVALID_HANDLE_VALUE;
    TempDir dir_;
};

std::wstring Lines(const std::string& prefix, std::string_view message) {
    std::string text;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = message.find('\n', start);
        text += prefix;
        text.append(
            message.substr(start, end == std::string_view::npos ? message.npos : end - start));
        text += '\n';
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return Utf16Of(text);
}

// A drawing of a few lines whose first keyword is misplaced, and what the
// converter says of it.
const std::string kBadStructure = "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
const std::string kBadStructureMessage = "2" + std::string(messages::kStructureErrorBefore) +
                                         "ENDSEC" + std::string(messages::kStructureErrorAfter);
const std::string kGoodDrawing =
    "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n";

// What reaches the console is what was meant, character for character,
// whatever the console's code page: half-width katakana, the ideographic
// space, and names in Japanese, Korean and beyond the BMP (UTF-16 pairs).
TEST_F(WindowsConsole, ShowsMessagesAndNamesCharacterForCharacter) {
    const struct {
        std::string name;
        std::string contents;
        std::string outputName;
        std::wstring expected;
    } cases[] = {
        {"図面.dxf", kGoodDrawing, "出力", Lines("", messages::kFinished)},
        {"도면 😀.dxf", kBadStructure, "출력 😀", Lines("", kBadStructureMessage)},
        {"図面.dxf", kGoodDrawing, "出力", Lines("", messages::kOutputExists)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Clear();
        WriteFile(dir_.File(c.name), c.contents);
        const Finished run = Run({dir_.File(c.name), c.outputName});
        EXPECT_EQ(run.console, c.expected);
    }
}

// A batch names each source in front of its messages; a message longer than
// the pieces the console is written in is cut between characters.
TEST_F(WindowsConsole, NamesEachSourceOfABatchAndCutsLongTextBetweenCharacters) {
    std::string folder = dir_.path();
    for (int i = 0; i < 40; ++i) folder += "\\" + std::string(10, 'a' + i % 26) + "漢字かなカナ";
    ASSERT_GT(folder.size(), 1024u);
    std::filesystem::create_directories(FsPath(folder));
    const std::string source = folder + "\\図面.dxf";
    WriteFile(source, kBadStructure);

    const Finished run = Run({"--suffix", "_lt", source});

    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.console, Lines(source + ": ", kBadStructureMessage));
}

// Redirected to a file, the same messages are UTF-8, as on Linux.
TEST_F(WindowsConsole, WritesUtf8WhereErrorsGoToAFile) {
    WriteFile(dir_.File("図面.dxf"), kBadStructure);
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    const HANDLE file =
        ::CreateFileW(WidePath(dir_.File("errors.txt").c_str()).c_str(), GENERIC_WRITE,
                      FILE_SHARE_READ, &inherited, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const Finished run = Run({dir_.File("図面.dxf"), "出力"}, file);
    ::CloseHandle(file);

    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.console, L"");
    EXPECT_EQ(ReadFile(dir_.File("errors.txt")), kBadStructureMessage + "\n");
}

// A drawing large enough that the conversion shows its progress line.
std::string LargeDrawing() {
    const std::string entity =
        "  0\r\nLINE\r\n  8\r\nWALLS\r\n 10\r\n0.0\r\n 20\r\n0.0\r\n 11\r\n1.0\r\n 21\r\n1.0\r\n";
    std::string drawing = "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
    drawing.reserve(300u << 20);
    while (drawing.size() < (300u << 20)) drawing += entity;
    return drawing + "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
}

// The progress line is drawn with escape sequences the console takes once
// asked to, and is gone when the conversion ends: no escape shows.
TEST_F(WindowsConsole, ClearsTheProgressLineAndShowsNoEscapes) {
    WriteFile(dir_.File("large.dxf"), LargeDrawing());

    const Finished run = Run({dir_.File("large.dxf"), "large_lt"});

    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.console, Lines("", messages::kFinished));
}

// Ctrl-C during a conversion ends it as an interrupt on Linux does: the
// output it created is removed, the source stays as it was.
TEST_F(WindowsConsole, CtrlCRemovesTheOutputBeingWritten) {
    const std::string drawing = LargeDrawing();
    WriteFile(dir_.File("large.dxf"), drawing);
    const std::string output = dir_.File("large_lt.dxf");

    const PROCESS_INFORMATION process = Start({dir_.File("large.dxf"), "large_lt"});
    while (!Exists(output) && ::WaitForSingleObject(process.hProcess, 1) == WAIT_TIMEOUT) {
    }
    ASSERT_NE(::GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0), 0);
    const Finished run = Wait(process);

    EXPECT_EQ(run.exitCode, kEndedByInterrupt);
    EXPECT_FALSE(Exists(output));
    EXPECT_EQ(ReadFile(dir_.File("large.dxf")), drawing);
}

}  // namespace
