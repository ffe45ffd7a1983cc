#include "start_options.h"

#include <wx/filename.h>

#ifndef __WXMSW__
#include <wx/filefn.h>

#include <cstdlib>
#include <memory>
#endif

#include "wx_text.h"

namespace {

StartOptions StartError(const wxString& text) {
    StartOptions options;
    options.error = text;
    return options;
}

// The path the file chooser would return for the same file: absolute, and
// on Windows with "." and ".." resolved by name, as the system does there.
// Elsewhere ".." after a link leads where the system finds it: the folder is
// resolved by the system, where it exists, and the file keeps its own name.
wxString ChosenForm(const wxString& path) {
#ifdef __WXMSW__
    wxFileName name(path);
    name.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE);
    return name.GetFullPath();
#else
    const wxString absolute = path.StartsWith("/") ? path : wxGetCwd() + "/" + path;
    const wxString folder = absolute.BeforeLast('/');
    const std::unique_ptr<char, decltype(&std::free)> real(
        ::realpath(folder.empty() ? "/" : static_cast<const char*>(folder.fn_str()), nullptr),
        &std::free);
    if (!real) return absolute;
    const wxString resolved = FromFileBytes(real.get());
    return (resolved == "/" ? wxString() : resolved) + "/" + absolute.AfterLast('/');
#endif
}

}  // namespace

StartOptions ParseStartOptions(const std::vector<wxString>& arguments) {
    std::vector<wxString> files;
    bool options = true;
    bool modern = false;
    for (const wxString& argument : arguments) {
        if (options && argument == "--") {
            options = false;
        } else if (options && argument == "--modern") {
            modern = true;
        } else if (options && argument.length() > 1 && argument[0] == '-') {
            return StartError(FromUtf8("不明なオプションです: ") + argument);
        } else {
            files.push_back(argument);
        }
    }
    if (files.size() > 1) return StartError(FromUtf8("余分な引数があります: ") + files[1]);
    StartOptions result;
    result.modern = modern;
    if (files.empty()) return result;
    if (files[0].empty()) return StartError(FromUtf8("元ﾌｧｲﾙ名が空です。"));
    result.sourcePath = ChosenForm(files[0]);
    return result;
}
