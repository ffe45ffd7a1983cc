#include "temp_dir.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace {

std::string BaseDirectory() {
    const char* base = std::getenv("TMPDIR");
    if (base != nullptr && *base != '\0') return base;
    return PathText(std::filesystem::temp_directory_path());
}

}  // namespace

std::filesystem::path FsPath(const std::string& path) {
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

std::string PathText(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

TempDir::TempDir() {
    const std::string base = BaseDirectory();
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string path = base + "/dxfconv-test-" + std::to_string(random());
        std::error_code error;
        if (std::filesystem::create_directory(FsPath(path), error)) {
            path_ = path;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary directory in " + base);
}

TempDir::~TempDir() {
    std::error_code ignored;
    // Tests may take permissions away; give them back so everything goes.
    std::filesystem::permissions(FsPath(path_), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(FsPath(path_), ignored);
}

std::string TempDir::File(const std::string& name) const {
    return path_ + "/" + name;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(FsPath(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(FsPath(path), std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(FsPath(path), error));
}

std::string CrLf(std::string_view text) {
    std::string result;
    result.reserve(text.size() + text.size() / 8);
    for (const char c : text) {
        if (c == '\n') result += '\r';
        result += c;
    }
    return result;
}

std::vector<std::string> ListDir(const std::string& path) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(FsPath(path))) {
        names.push_back(PathText(entry.path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
}
