#pragma once

#include <wx/string.h>

#include <string_view>
#include <vector>

// What the dialog program is started with: at most one source file, which
// the dialog shows as if it had been chosen with Browse (file managers start
// it so to open a drawing with it), and --modern, which starts the dialog in
// modern mode (see RunOptions).
struct StartOptions {
    // The file given, made absolute from the current directory; empty when
    // none was given.
    wxString sourcePath;
    // Why the arguments cannot be used; empty when they can.
    wxString error;
    bool modern = false;
};

inline constexpr std::string_view kStartUsage = "使い方: dxfconv-gui [--modern] [元ﾌｧｲﾙ]";

// Reads the arguments that follow the program's name. "--" ends the options,
// so that a file whose name begins with '-' can be given after it.
StartOptions ParseStartOptions(const std::vector<wxString>& arguments);
