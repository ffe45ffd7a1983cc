#pragma once

// Drives the real main dialog inside its own modal loop and stands in for
// the user at every modal box it opens.

#include <wx/testing.h>

#include <functional>
#include <string>
#include <vector>

#include "converter_dlg.h"

// A dialog the test did not expect fails the test and is answered with
// Cancel instead of being shown, so that a test can never hang on it.
class FailingModalHook : public wxTestingModalHook {
public:
    using wxTestingModalHook::wxTestingModalHook;

protected:
    int Enter(wxDialog* dialog) override;
    void ReportFailure(const wxString& message) override;
};
#undef wxTEST_DIALOG_HOOK_CLASS
#define wxTEST_DIALOG_HOOK_CLASS FailingModalHook

// What a message box showed, and whether the busy cursor was on meanwhile.
struct ShownMessage {
    wxString text;
    wxString caption;
    long style;
    wxString yesLabel;
    wxString noLabel;
    bool busy;
};

// Expects a message box, records it into a log and answers it.
class ExpectMessage : public wxExpectModalBase<wxMessageDialog, ExpectMessage> {
public:
    ExpectMessage(int answer, std::vector<ShownMessage>& log) : m_answer(answer), m_log(&log) {}

protected:
    int OnInvoked(wxMessageDialog* dialog) const override;

private:
    int m_answer;
    std::vector<ShownMessage>* m_log;
};

// What the file-open dialog was set up with when it opened.
struct ShownFileDialog {
    wxString title;
    wxString wildcard;
    int filterIndex = -1;
    long style = 0;
    wxString directory;
    wxString fileName;
    // Each filter as the toolkit's chooser holds it: its name, then which of
    // kSampleFileNames it shows.
    std::vector<std::string> filters;
};

inline const std::vector<std::string> kSampleFileNames = {"plan.dxf",     "PLAN.DXF", "Plan.Dxf",
                                                          "plan.dxf.bak", "README",   "notes.txt"};

// Expects the file-open dialog, records its set-up and chooses path in it
// (the real file must exist: GTK selects it asynchronously, so events are
// pumped until the dialog reports it), or cancels when path is empty.
class ExpectFileDialog : public wxExpectModalBase<wxFileDialog, ExpectFileDialog> {
public:
    ExpectFileDialog(const wxString& path, ShownFileDialog& shown)
        : m_path(path), m_shown(&shown) {}

protected:
    int OnInvoked(wxFileDialog* dialog) const override;

private:
    wxString m_path;
    ShownFileDialog* m_shown;
};

// Handles events until done holds; false if it never does.
bool PumpEventsUntil(const std::function<bool()>& done);

// Shows the dialog modally and runs drive once its loop runs; a dialog that
// drive leaves open is closed afterwards with kLeftOpen. Returns what
// ShowModal returned.
inline constexpr int kLeftOpen = 9999;
int ShowAndDrive(CConverterDlg& dialog, const std::function<void()>& drive);

// The user's actions, delivered as the toolkit delivers them.
void Press(wxWindow& dialog, int id);
void TypeOutputName(wxWindow& dialog, const wxString& text);
// Presses a key on the real keyboard with the focus in target, and handles
// events until done holds.
void PressKeyIn(wxWindow& target, int keyCode, int modifiers, const std::function<bool()>& done);
// Chooses path with Browse; the file must exist.
void ChooseSource(wxWindow& dialog, const wxString& path);
// Drops the files onto the dialog, through the drop target that the
// toolkit's drag and drop delivers to where there is one.
void DropFiles(wxWindow& dialog, const std::vector<wxString>& paths);

// What the fields show.
wxString SourcePathText(wxWindow& dialog);
wxString OutputNameText(wxWindow& dialog);

// Text as the user reads it, from the engine's UTF-8 or a file name's bytes.
wxString Utf8(std::string_view text);
wxString FileName(const std::string& bytes);
