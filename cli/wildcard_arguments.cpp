#include "wildcard_arguments.h"

#include <windows.h>

#include <algorithm>
#include <string_view>

#include "output_path.h"
#include "windows_paths.h"

namespace {

// A surrogate pair is one character.
std::size_t CharacterLength(std::wstring_view text, std::size_t at) {
    return IS_HIGH_SURROGATE(text[at]) && at + 1 < text.size() && IS_LOW_SURROGATE(text[at + 1])
               ? 2
               : 1;
}

// Case is ignored as the file system ignores it.
bool SameCharacter(std::wstring_view a, std::wstring_view b) {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                  static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// * matches any run of characters, ? one character. After a mismatch the
// last * takes one character more.
bool Matches(std::wstring_view pattern, std::wstring_view name) {
    std::size_t p = 0, n = 0;
    std::size_t starP = std::wstring_view::npos, starN = 0;
    while (n < name.size()) {
        const std::size_t length = CharacterLength(name, n);
        if (p < pattern.size() && pattern[p] == L'*') {
            starP = ++p;
            starN = n;
        } else if (p < pattern.size() && pattern[p] == L'?') {
            ++p;
            n += length;
        } else if (const std::size_t own = p < pattern.size() ? CharacterLength(pattern, p) : 0;
                   own != 0 && SameCharacter(pattern.substr(p, own), name.substr(n, length))) {
            p += own;
            n += length;
        } else if (starP == std::wstring_view::npos) {
            return false;
        } else {
            p = starP;
            n = starN += CharacterLength(name, starN);
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') ++p;
    return p == pattern.size();
}

void ExpandInto(const std::string& argument, std::vector<std::string>& arguments) {
    const std::size_t folderLength = FolderPartLength(argument);
    const std::string folder = argument.substr(0, folderLength);
    const std::wstring pattern = Utf16Of(std::string_view(argument).substr(folderLength));
    if (pattern.find_first_of(L"*?") == std::wstring::npos) {
        arguments.push_back(argument);
        return;
    }
    std::wstring search = WidePath(folder.empty() ? "." : folder.c_str());
    if (!search.empty()) search += search.back() == L'\\' ? L"*" : L"\\*";

    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    const HANDLE find = search.empty() ? INVALID_HANDLE_VALUE
                                       : ::FindFirstFileExW(search.c_str(), FindExInfoBasic, &found,
                                                            FindExSearchNameMatch, nullptr, 0);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring_view name = found.cFileName;
            if (name != L"." && name != L".." && Matches(pattern, name)) {
                names.push_back(folder + Utf8Of(name));
            }
        } while (::FindNextFileW(find, &found) != 0);
        ::FindClose(find);
    }
    if (names.empty()) {
        arguments.push_back(argument);
        return;
    }
    std::sort(names.begin(), names.end());
    arguments.insert(arguments.end(), names.begin(), names.end());
}

}  // namespace

std::vector<std::string> ExpandWildcards(const std::vector<std::string>& arguments) {
    std::vector<std::string> expanded;
    for (const std::string& argument : arguments) ExpandInto(argument, expanded);
    return expanded;
}
