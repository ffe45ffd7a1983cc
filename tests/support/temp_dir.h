#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// A fresh directory under $TMPDIR or else the system's temporary directory,
// removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // path() + "/" + name
    std::string File(const std::string& name) const;

private:
    std::string path_;
};

// Paths are UTF-8 strings, as the engine takes them; these turn them into
// the standard library's paths (UTF-16 on Windows) and back.
std::filesystem::path FsPath(const std::string& path);
std::string PathText(const std::filesystem::path& path);

// Whole-file helpers; bytes are written and read exactly.
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
bool Exists(const std::string& path);
// The text with a CR before every LF: what the converter writes for it.
std::string CrLf(std::string_view text);
// The names in a directory, sorted, without "." and "..".
std::vector<std::string> ListDir(const std::string& path);
