#include <gtest/gtest.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>

#include "file_ops.h"
#include "messages.h"
#include "run_support.h"
#include "temp_dir.h"
#include "windows_paths.h"

namespace fs = std::filesystem;

namespace {

// Line breaks, a Shift-JIS 表 (0x95 0x5C), a 0x1A that ends the input.
constexpr char kSource[] = "999\ncomment \x95\x5C\r\n  0\nEOF\n\x1A tail\n";
constexpr char kOutput[] = "999\r\ncomment \x95\x5C\r\n  0\r\nEOF\r\n";

enum class Existing { File, EmptyFile, Directory };

struct ExistingCase {
    const char* title;
    Existing kind;

    friend void PrintTo(const ExistingCase& c, std::ostream* os) { *os << c.title; }
};

const ExistingCase kExistingCases[] = {
    {"File", Existing::File},
    {"EmptyFile", Existing::EmptyFile},
    {"Directory", Existing::Directory},
};

void MakeExisting(Existing kind, const std::string& path) {
    if (kind == Existing::Directory) {
        fs::create_directory(FsPath(path));
    } else {
        WriteFile(path, kind == Existing::File ? "keep me\n" : "");
    }
}

std::string Describe(const std::string& path) {
    if (fs::is_directory(FsPath(path)))
        return "directory of " + std::to_string(ListDir(path).size());
    return "file: " + ReadFile(path);
}

class WindowsNeverOverwrite : public testing::TestWithParam<ExistingCase> {};

TEST_P(WindowsNeverOverwrite, RefusesAnExistingOutputPath) {
    TempDir dir;
    WriteFile(dir.File("plan.dxf"), kSource);
    MakeExisting(GetParam().kind, dir.File("NEW.dxf"));
    const std::string before = Describe(dir.File("NEW.dxf"));

    const RunRecord run = Convert(dir.File("plan.dxf"), "NEW");

    EXPECT_EQ(run.calls, MessagesOnly({messages::kOutputExists}));
    EXPECT_EQ(Describe(dir.File("NEW.dxf")), before);
}

// What appears between the existence check and the creation is not opened:
// CREATE_NEW fails on it.
TEST_P(WindowsNeverOverwrite, CreatingFailsOnWhatWasPlantedMeanwhile) {
    TempDir dir;
    WriteFile(dir.File("plan.dxf"), kSource);
    FileOps files = SystemFileOps();
    const auto createOutput = files.createOutput;
    files.createOutput = [&](const char* path) {
        MakeExisting(GetParam().kind, path);
        return createOutput(path);
    };
    const std::string planted = GetParam().kind == Existing::Directory ? "directory of 0"
                                : GetParam().kind == Existing::File    ? "file: keep me\n"
                                                                       : "file: ";

    const RunRecord run = Convert(dir.File("plan.dxf"), "NEW", files);

    EXPECT_EQ(run.outcome, RunOutcome::NotStarted);
    EXPECT_EQ(Describe(dir.File("NEW.dxf")), planted);
}

INSTANTIATE_TEST_SUITE_P(Run, WindowsNeverOverwrite, testing::ValuesIn(kExistingCases), TitleOf{});

// A source that is no disk file is refused at once, as a missing one is:
// nothing blocks on a console, a device or a pipe, and no output appears.
struct DeviceCase {
    const char* title;
    const char* source;

    friend void PrintTo(const DeviceCase& c, std::ostream* os) { *os << c.title; }
};

const DeviceCase kDeviceCases[] = {
    {"Console", "CON"},
    {"NullDevice", "NUL"},
    {"NullDeviceInAFolder", "C:\\NUL"},
    {"DevicePath", "\\\\.\\NUL"},
    {"PipeWithoutServer", "\\\\.\\pipe\\dxfconv-test-nobody"},
};

class WindowsSourceKind : public testing::TestWithParam<DeviceCase> {};

TEST_P(WindowsSourceKind, RefusesADeviceAsSource) {
    TempDir dir;
    const std::string before = std::to_string(ListDir(dir.path()).size());

    const RunRecord run = Convert(GetParam().source, dir.File("NEW"));

    EXPECT_EQ(run.calls, MessagesOnly({messages::kSourceMissing}));
    EXPECT_EQ(run.outcome, RunOutcome::NotStarted);
    EXPECT_EQ(std::to_string(ListDir(dir.path()).size()), before);
}

INSTANTIATE_TEST_SUITE_P(Run, WindowsSourceKind, testing::ValuesIn(kDeviceCases), TitleOf{});

TEST(WindowsSourceKind, RefusesADirectory) {
    TempDir dir;
    fs::create_directory(FsPath(dir.File("plan.dxf")));

    const RunRecord run = Convert(dir.File("plan.dxf"), "NEW");

    EXPECT_EQ(run.calls, MessagesOnly({messages::kSourceMissing}));
    EXPECT_FALSE(Exists(dir.File("NEW.dxf")));
}

TEST(WindowsSourceKind, RefusesAPipeWithAServer) {
    TempDir dir;
    const std::string name = "\\\\.\\pipe\\dxfconv-test-" + std::to_string(::GetCurrentProcessId());
    const HANDLE server = ::CreateNamedPipeW(Utf16Of(name).c_str(), PIPE_ACCESS_OUTBOUND,
                                             PIPE_TYPE_BYTE, 1, 4096, 4096, 0, nullptr);
    ASSERT_NE(server, INVALID_HANDLE_VALUE);

    const RunRecord run = Convert(name, dir.File("NEW"));
    ::CloseHandle(server);

    EXPECT_EQ(run.calls, MessagesOnly({messages::kSourceMissing}));
    EXPECT_FALSE(Exists(dir.File("NEW.dxf")));
}

// Names from UTF-16: the folder, the source and the output, in Japanese,
// Korean and beyond the Basic Multilingual Plane.
struct NameCase {
    const char* title;
    const char* folder;
    const char* source;
    const char* outputName;

    friend void PrintTo(const NameCase& c, std::ostream* os) { *os << c.title; }
};

const NameCase kNameCases[] = {
    {"Japanese", "図面", "平面図.dxf", "変換後"},
    {"Korean", "도면", "평면도.dxf", "변환"},
    {"Emoji", "\xF0\x9F\x93\x90", "\xF0\x9F\x8F\xA0.dxf", "\xE2\x9C\x85\xF0\x9F\x98\x80"},
    {"Mixed", "図面 도면 \xF0\x9F\x93\x90", "ｿ表_평면.dxf", "表\xF0\x9F\x98\x80변"},
};

class WindowsNames : public testing::TestWithParam<NameCase> {};

TEST_P(WindowsNames, ConvertsWithUnicodeNames) {
    const NameCase& c = GetParam();
    TempDir dir;
    const std::string folder = dir.File(c.folder);
    fs::create_directory(FsPath(folder));
    WriteFile(folder + "\\" + c.source, kSource);

    const RunRecord run = Convert(folder + "\\" + c.source, c.outputName);

    EXPECT_EQ(run.calls, CursorThenMessages({messages::kFinished}));
    EXPECT_EQ(ReadFile(folder + "\\" + c.outputName + ".dxf"), kOutput);
    std::vector<std::string> expected = {c.source, std::string(c.outputName) + ".dxf"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(ListDir(folder), expected);
}

INSTANTIATE_TEST_SUITE_P(Run, WindowsNames, testing::ValuesIn(kNameCases), TitleOf{});

// Whole files through the file services themselves, which take any length.
bool PutFile(const std::string& path, const std::string& bytes) {
    const FileOps files = SystemFileOps();
    const int fd = files.createOutput(path.c_str());
    if (fd < 0) return false;
    const bool written =
        files.write(fd, bytes.data(), bytes.size()) == static_cast<long>(bytes.size());
    return files.close(fd) == 0 && written;
}

std::string TakeFile(const std::string& path) {
    const FileOps files = SystemFileOps();
    const int fd = files.openSource(path.c_str());
    if (fd < 0) return "(cannot open)";
    std::string bytes;
    char buffer[4096];
    for (long n; (n = files.read(fd, buffer, sizeof buffer)) > 0;) bytes.append(buffer, n);
    files.close(fd);
    return bytes;
}

TEST(WindowsLongPaths, ConvertsInAFolderPastTheOldLimit) {
    TempDir dir;
    std::string folder = dir.path();
    while (folder.size() < 300) {
        folder += "\\" + std::string(40, 'd');
        ASSERT_TRUE(::CreateDirectoryW(WidePath(folder.c_str()).c_str(), nullptr) != 0) << folder;
    }
    ASSERT_TRUE(PutFile(folder + "\\plan.dxf", kSource));

    const RunRecord run = Convert(folder + "\\plan.dxf", "NEW");

    EXPECT_EQ(run.calls, CursorThenMessages({messages::kFinished}));
    EXPECT_EQ(TakeFile(folder + "\\NEW.dxf"), kOutput);
    EXPECT_EQ(TakeFile(folder + "\\plan.dxf"), kSource);
    // A path with .. in it is made whole before it takes the long form.
    const std::string relative = "..\\" + std::string(40, 'd') + "\\plan.dxf";
    EXPECT_NE(TakeFile(folder + "\\" + relative), "(cannot open)");
}

TEST(WindowsLongPaths, SlashesAndBackslashesBothSeparate) {
    TempDir dir;
    fs::create_directory(FsPath(dir.File("dwg")));
    WriteFile(dir.File("dwg/plan.dxf"), kSource);

    const RunRecord slashes = Convert(dir.File("dwg/plan.dxf"), "FROM_SLASH");
    const RunRecord backslashes = Convert(dir.path() + "\\dwg\\plan.dxf", "FROM_BACKSLASH");

    EXPECT_EQ(slashes.calls, CursorThenMessages({messages::kFinished}));
    EXPECT_EQ(backslashes.calls, CursorThenMessages({messages::kFinished}));
    EXPECT_EQ(ListDir(dir.File("dwg")),
              (std::vector<std::string>{"FROM_BACKSLASH.dxf", "FROM_SLASH.dxf", "plan.dxf"}));
}

// A drawing open in a program that writes it, as CAD programs keep theirs,
// is read all the same.
TEST(WindowsShareModes, ConvertsASourceAnotherProgramHoldsForWriting) {
    TempDir dir;
    WriteFile(dir.File("plan.dxf"), kSource);
    const HANDLE writer = ::CreateFileW(
        WidePath(dir.File("plan.dxf").c_str()).c_str(), GENERIC_READ | GENERIC_WRITE,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);

    const RunRecord run = Convert(dir.File("plan.dxf"), "NEW");
    ::CloseHandle(writer);

    EXPECT_EQ(run.calls, CursorThenMessages({messages::kFinished}));
    EXPECT_EQ(ReadFile(dir.File("NEW.dxf")), kOutput);
}

TEST(WindowsPaths, TakesTheLongFormOfEveryKindOfPath) {
    EXPECT_EQ(WidePath("C:\\d\\plan.dxf"), L"\\\\?\\C:\\d\\plan.dxf");
    EXPECT_EQ(WidePath("C:/d/./e/../plan.dxf"), L"\\\\?\\C:\\d\\plan.dxf");
    EXPECT_EQ(WidePath("\\\\host\\share\\plan.dxf"), L"\\\\?\\UNC\\host\\share\\plan.dxf");
    EXPECT_EQ(WidePath("\\\\?\\C:\\d\\plan.dxf"), L"\\\\?\\C:\\d\\plan.dxf");
    EXPECT_EQ(WidePath("\\\\.\\pipe\\x"), L"\\\\.\\pipe\\x");
    EXPECT_EQ(WidePath("NUL"), L"\\\\.\\NUL");
    EXPECT_EQ(WidePath("C:\\d\\\xE5\x9B\xB3.dxf"), L"\\\\?\\C:\\d\\\u56F3.dxf");
    EXPECT_EQ(WidePath("C:\\d\\\x95\x5C.dxf"), L"") << "Shift-JIS bytes are no UTF-8";
    EXPECT_EQ(WidePath(""), L"");
}

}  // namespace
