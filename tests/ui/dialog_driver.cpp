#include "dialog_driver.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/dnd.h>
#include <wx/generic/stattextg.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "resource.h"

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

namespace {

// GTK fills the file chooser from its folder in the background and clicks
// a button activated by a key only after its pressed look has shown; this
// many rounds of events are far more than either needs.
constexpr int kPumpRounds = 1000;

#ifdef __WXGTK__
// GTK's own verdict on each name, as its chooser lists the folder.
std::vector<std::string> FiltersOf(wxFileDialog& dialog) {
    std::vector<std::string> shown;
    GSList* filters = gtk_file_chooser_list_filters(GTK_FILE_CHOOSER(dialog.m_widget));
    for (GSList* item = filters; item != nullptr; item = item->next) {
        GtkFileFilter* filter = GTK_FILE_FILTER(item->data);
        std::string line = gtk_file_filter_get_name(filter);
        line += ':';
        for (const std::string& name : kSampleFileNames) {
            GtkFileFilterInfo info{};
            info.contains = GTK_FILE_FILTER_DISPLAY_NAME;
            info.display_name = name.c_str();
            if (gtk_file_filter_filter(filter, &info)) line += ' ' + name;
        }
        shown.push_back(line);
    }
    g_slist_free(filters);
    return shown;
}
#else
std::vector<std::string> FiltersOf(wxFileDialog&) {
    return {};
}
#endif

}  // namespace

bool PumpEventsUntil(const std::function<bool()>& done) {
    for (int round = 0; round < kPumpRounds; ++round) {
        wxYield();
        if (done()) return true;
        wxMilliSleep(2);
    }
    return false;
}

int FailingModalHook::Enter(wxDialog* dialog) {
    const int answer = wxTestingModalHook::Enter(dialog);
    return answer == wxID_NONE ? wxID_CANCEL : answer;
}

void FailingModalHook::ReportFailure(const wxString& message) {
    ADD_FAILURE() << message.utf8_string();
}

int ExpectMessage::OnInvoked(wxMessageDialog* dialog) const {
    m_log->push_back({dialog->GetMessage(), dialog->GetCaption(), dialog->GetMessageDialogStyle(),
                      dialog->GetYesLabel(), dialog->GetNoLabel(), wxIsBusy()});
    return m_answer;
}

int ExpectFileDialog::OnInvoked(wxFileDialog* dialog) const {
    *m_shown = {dialog->GetMessage(),     dialog->GetWildcard(),
                dialog->GetFilterIndex(), dialog->GetWindowStyleFlag(),
                dialog->GetDirectory(),   dialog->GetFilename(),
                FiltersOf(*dialog)};
    if (m_path.empty()) return wxID_CANCEL;
    dialog->SetPath(m_path);
    EXPECT_TRUE(PumpEventsUntil([&] { return dialog->GetPath() == m_path; }))
        << "the file chooser never selected " << m_path.utf8_string();
    return wxID_OK;
}

int ShowAndDrive(CConverterDlg& dialog, const std::function<void()>& drive) {
    dialog.CallAfter([&dialog, &drive] {
        drive();
        if (dialog.IsModal()) dialog.EndModal(kLeftOpen);
    });
    return dialog.ShowModal();
}

void Press(wxWindow& dialog, int id) {
    auto* button = wxStaticCast(dialog.FindWindow(id), wxButton);
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);
}

void TypeOutputName(wxWindow& dialog, const wxString& text) {
    wxStaticCast(dialog.FindWindow(IDC_OUTPUT_NAME), wxTextCtrl)->ChangeValue(text);
}

void PressKeyIn(wxWindow& target, int keyCode, int modifiers, const std::function<bool()>& done) {
    target.SetFocus();
    wxUIActionSimulator user;
    // Without a window manager the keyboard follows the pointer.
    user.MouseMove(target.GetScreenRect().GetPosition() + wxPoint(2, 2));
    user.Char(keyCode, modifiers);
    EXPECT_TRUE(PumpEventsUntil(done)) << "the key " << keyCode << " had no effect";
}

void ChooseSource(wxWindow& dialog, const wxString& path) {
    ShownFileDialog shown;
    wxTEST_DIALOG(Press(dialog, IDC_BROWSE), ExpectFileDialog(path, shown));
}

void DropFiles(wxWindow& dialog, const std::vector<wxString>& paths) {
    wxArrayString files;
    for (const wxString& path : paths) files.push_back(path);
#ifdef __WXGTK__
    auto* target = dynamic_cast<wxFileDropTarget*>(dialog.GetDropTarget());
    ASSERT_NE(target, nullptr) << "the dialog takes no dropped files";
    EXPECT_TRUE(target->OnDropFiles(0, 0, files));
#else
    // Windows delivers a drop as this event.
    auto* names = new wxString[files.size()];
    for (std::size_t i = 0; i < files.size(); ++i) names[i] = files[i];
    wxDropFilesEvent drop(wxEVT_DROP_FILES, static_cast<int>(files.size()), names);
    dialog.ProcessWindowEvent(drop);
#endif
}

wxString SourcePathText(wxWindow& dialog) {
    return wxStaticCast(dialog.FindWindow(IDC_SOURCE_PATH), wxGenericStaticText)->GetLabelText();
}

wxString OutputNameText(wxWindow& dialog) {
    return wxStaticCast(dialog.FindWindow(IDC_OUTPUT_NAME), wxTextCtrl)->GetValue();
}

wxString Utf8(std::string_view text) {
    return wxString::FromUTF8(text.data(), text.size());
}

wxString FileName(const std::string& bytes) {
    return wxString(bytes.c_str(), wxConvFile);
}
