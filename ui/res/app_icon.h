#pragma once

#include <wx/iconbndl.h>

// The icon resource with the given id, with one image per size (32 x 32 and
// 16 x 16); an unknown id gives an empty bundle.
wxIconBundle LoadAppIcon(int id);
