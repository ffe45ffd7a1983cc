#include "template_builder.h"

#include <wx/accel.h>
#include <wx/button.h>
#include <wx/font.h>
#include <wx/fontenum.h>
#include <wx/generic/stattextg.h>
#include <wx/textctrl.h>

#include <vector>

#include "dialog_font.h"
#include "wx_text.h"

namespace {

wxFont TemplateFont(const DialogTemplate& layout) {
    const std::string_view face =
        FirstInstalledFace(DialogFontFaces(layout.fontFace), [](std::string_view candidate) {
            return wxFontEnumerator::IsValidFacename(FromUtf8(candidate));
        });
    wxFontInfo info(layout.fontPointSize);
    if (!face.empty()) info.FaceName(FromUtf8(face));
    return wxFont(info);
}

// The text fields are drawn by the generic control, the only one on GTK that
// centres vertically and draws a sunken border; the source path stays
// right-aligned and unwrapped, so that a long path shows its end.
constexpr long kTextStyle = wxALIGN_RIGHT | wxALIGN_CENTRE_VERTICAL | wxST_NO_AUTORESIZE;

void CreateControl(wxDialog& dialog, const ControlTemplate& control) {
    const int id = control.id == kStaticId ? wxID_ANY : control.id;
    const wxString text = FromUtf8(control.text);
    const wxPoint position = dialog.ConvertDialogToPixels(wxPoint(control.rect.x, control.rect.y));
    const wxSize size =
        dialog.ConvertDialogToPixels(wxSize(control.rect.width, control.rect.height));
    switch (control.kind) {
        case ControlKind::Label:
            new wxGenericStaticText(&dialog, id, text, position, size, kTextStyle);
            break;
        case ControlKind::SourcePathField:
            new wxGenericStaticText(&dialog, id, text, position, size,
                                    kTextStyle | wxBORDER_SUNKEN);
            break;
        case ControlKind::PushButton:
            new wxButton(&dialog, id, text, position, size);
            break;
        case ControlKind::DefaultPushButton:
            (new wxButton(&dialog, id, text, position, size))->SetDefault();
            break;
        case ControlKind::Edit:
            new wxTextCtrl(&dialog, id, text, position, size, wxTE_RIGHT);
            break;
    }
}

// A label's mnemonic moves the focus to the control after it in template
// order, as the dialog manager of the classic platform does for its own
// labels; the labels here are the generic control, whose mnemonics neither
// GTK nor Windows know. Each gets a command of its own: on Windows a command
// with a control's id goes to that control, not to the dialog.
void AddLabelMnemonics(wxDialog& dialog, const DialogTemplate& layout) {
    std::vector<wxAcceleratorEntry> entries;
    for (std::size_t i = 0; i + 1 < layout.controls.size(); ++i) {
        const ControlTemplate& label = layout.controls[i];
        const int target = layout.controls[i + 1].id;
        if (label.kind != ControlKind::Label || target == kStaticId) continue;
        wxString shown;
        const int index = wxControl::FindAccelIndex(FromUtf8(label.text), &shown);
        if (index == wxNOT_FOUND) continue;
        const int command = wxID_HIGHEST + 1 + static_cast<int>(i);
        entries.emplace_back(wxACCEL_ALT, static_cast<int>(wxToupper(shown[index])), command);
        dialog.Bind(
            wxEVT_MENU,
            [&dialog, target](wxCommandEvent&) { dialog.FindWindow(target)->SetFocus(); }, command);
    }
    dialog.SetAcceleratorTable(
        wxAcceleratorTable(static_cast<int>(entries.size()), entries.data()));
}

}  // namespace

void BuildFromTemplate(wxDialog& dialog, const DialogTemplate& layout) {
    dialog.SetFont(TemplateFont(layout));
    for (const ControlTemplate& control : layout.controls) CreateControl(dialog, control);
    AddLabelMnemonics(dialog, layout);
    dialog.SetClientSize(
        dialog.ConvertDialogToPixels(wxSize(layout.clientWidth, layout.clientHeight)));
    dialog.SetSizeHints(dialog.GetSize(), dialog.GetSize());
    dialog.Centre(wxBOTH);
}
