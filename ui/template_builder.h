#pragma once

#include <wx/dialog.h>

#include "dialog_template.h"

// Lays a created dialog out from its template: the font first, because dialog
// units are measured in it, then every control at its rectangle in template
// order with the labels' mnemonics, then the fixed client size, centred on
// the screen.
void BuildFromTemplate(wxDialog& dialog, const DialogTemplate& layout);

// The style every dialog built from a template has: a caption with the
// system menu, the close box and the minimise box, no maximise box and no
// resizable border.
inline constexpr long kTemplateDialogStyle =
    wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxMINIMIZE_BOX;
