#include "converter_dlg.h"

#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/filedlg.h>
#include <wx/filefn.h>
#include <wx/msgdlg.h>
#include <wx/settings.h>
#include <wx/textctrl.h>
#include <wx/utils.h>
#include <wx/valgen.h>

#include "app_icon.h"
#include "browse_request.h"
#include "conversion_run.h"
#include "dialog_template.h"
#include "icon_position.h"
#include "resource.h"
#include "template_builder.h"
#include "wx_text.h"

#ifdef __WXMSW__
#include <wx/msw/wrapwin.h>
#endif

namespace {

constexpr std::string_view kModernCaption = "DXFからDXF変換 (R13以降)";
const char kExitQuestion[] = "DXFからDXF変換を終了します。";

#ifdef __WXMSW__
// Windows' own message box: its buttons and icons in the system's language
// and look, as every program there shows them.
int SystemMessageBox(wxWindow* parent, const std::string& text, unsigned type) {
    return ::MessageBoxW(parent->GetHWND(), FromUtf8(text).wc_str(),
                         wxTheApp->GetAppName().wc_str(), type);
}
#endif

}  // namespace

CConverterDlg::CConverterDlg(wxWindow* parent, const wxString& sourcePath, bool modern)
    : wxDialog(parent, kConverterDialog.id,
               FromUtf8(modern ? kModernCaption : kConverterDialog.caption), wxDefaultPosition,
               wxDefaultSize, kTemplateDialogStyle),
      m_modern(modern),
      m_startSource(sourcePath) {
    BuildFromTemplate(*this, kConverterDialog);
    m_outputName = "";
    FindWindow(IDC_OUTPUT_NAME)->SetValidator(wxGenericValidator(&m_outputName));
    m_hIcon = LoadAppIcon(IDI_APP_ICON);

    Bind(wxEVT_INIT_DIALOG, &CConverterDlg::OnInitDialog, this);
    Bind(wxEVT_PAINT, &CConverterDlg::OnPaint, this);
    Bind(wxEVT_BUTTON, &CConverterDlg::OnBrowse, this, IDC_BROWSE);
    Bind(wxEVT_BUTTON, &CConverterDlg::OnExecute, this, IDC_EXECUTE);
    // Exit and Esc arrive as the cancel button; the close box as a close
    // request. Both go only through the exit question.
    Bind(wxEVT_BUTTON, &CConverterDlg::OnCancel, this, wxID_CANCEL);
    Bind(wxEVT_CLOSE_WINDOW, &CConverterDlg::OnClose, this);
    DragAcceptFiles(true);
    Bind(wxEVT_DROP_FILES, &CConverterDlg::OnDropFiles, this);
}

void CConverterDlg::ShowMessage(const std::string& text) {
#ifdef __WXMSW__
    SystemMessageBox(this, text, MB_OK | MB_ICONEXCLAMATION);
#else
    wxMessageBox(FromUtf8(text), wxTheApp->GetAppName(), wxOK | wxICON_EXCLAMATION, this);
#endif
}

void CConverterDlg::BeginWaitCursor() {
    wxBeginBusyCursor();
    m_runInput.emplace(*this);
}

void CConverterDlg::EndWaitCursor() {
    m_runInput.reset();
    wxEndBusyCursor();
}

wxIcon CConverterDlg::OnQueryDragIcon() const {
    return m_hIcon.GetIcon(SystemIconSize());
}

wxSize CConverterDlg::SystemIconSize() const {
    return {wxSystemSettings::GetMetric(wxSYS_ICON_X, this),
            wxSystemSettings::GetMetric(wxSYS_ICON_Y, this)};
}

// Runs as the dialog is shown: attaches the source field, loads the edit
// from m_outputName and sets what every run needs.
void CConverterDlg::OnInitDialog(wxInitDialogEvent&) {
    m_sourcePath = wxStaticCast(FindWindow(IDC_SOURCE_PATH), wxGenericStaticText);
    // Opened with a drawing, the name is all that is left to type.
    if (!m_startSource.empty()) {
        SetSourcePath(m_startSource);
        FindWindow(IDC_OUTPUT_NAME)->SetFocus();
    }
    TransferDataToWindow();
    SetIcons(m_hIcon);
    m_extension = kOutputExtension;
    m_linetypes = kKnownLinetypes;
}

void CConverterDlg::OnExecute(wxCommandEvent&) {
    if (!TransferDataFromWindow()) return;
    const std::string sourcePath = FileBytes(m_sourcePath->GetLabelText());
    RunOptions options;
    options.extension = m_extension;
    options.knownLinetypes = m_linetypes;
    options.modern = m_modern;
    RunConversion(sourcePath, FileBytes(m_outputName), options, *this);
}

void CConverterDlg::OnBrowse(wxCommandEvent&) {
    const std::string extension = m_extension;
    const std::string pattern = BrowsePattern(extension);
    const std::string filter = BrowseFilter(extension);
    std::string wildcard = WildcardFromFilter(filter);
#ifdef __WXGTK__
    // GTK compares patterns case by case and takes "*.*" for names with a dot.
    wildcard = AnyCasePatterns(wildcard);
#endif
    wxFileDialog files(this, wxFileSelectorPromptStr, wxEmptyString, FromUtf8(pattern),
                       FromUtf8(wildcard), wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    const std::string initialDirectory = InitialDirectory(FileBytes(m_sourcePath->GetLabelText()));
    if (!initialDirectory.empty()) files.SetDirectory(FromFileBytes(initialDirectory));
    files.SetMessage(FromUtf8(kBrowseTitle));
    if (files.ShowModal() != wxID_OK) return;
    SetSourcePath(files.GetPath());
}

// A drop of several takes the first file; folders are passed over, as the
// file chooser does not return them.
void CConverterDlg::OnDropFiles(wxDropFilesEvent& event) {
    const wxString* const files = event.GetFiles();
    for (int i = 0; i < event.GetNumberOfFiles(); ++i) {
        if (wxDirExists(files[i])) continue;
        SetSourcePath(files[i]);
        FindWindow(IDC_OUTPUT_NAME)->SetFocus();
        return;
    }
}

// The source as the next run converts it; the next Browse starts in its
// directory.
void CConverterDlg::SetSourcePath(const wxString& path) {
    m_sourcePath->SetLabelText(path);
}

void CConverterDlg::OnCancel(wxCommandEvent&) {
    // Only Yes leaves.
#ifdef __WXMSW__
    // Esc answers nothing in a Yes/No box of Windows.
    if (SystemMessageBox(this, kExitQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
#else
    wxMessageDialog question(this, FromUtf8(kExitQuestion), wxTheApp->GetAppName(),
                             wxYES_NO | wxICON_QUESTION);
    // Japanese buttons whatever the system's language, with the Y and N
    // mnemonics Windows gives them.
    question.SetYesNoLabels(FromUtf8("はい(&Y)"), FromUtf8("いいえ(&N)"));
    // Esc in the question answers nothing on GTK (it cancels the box): that
    // keeps the dialog, as No does.
    if (question.ShowModal() != wxID_YES) return;
#endif
    EndDialog(wxID_CANCEL);
}

void CConverterDlg::OnClose(wxCloseEvent&) {
    wxCommandEvent exit(wxEVT_BUTTON, wxID_CANCEL);
    OnCancel(exit);
}

// Minimised, the dialog draws its own icon, centred. Where the window manager
// draws minimised windows (GTK), this never runs.
void CConverterDlg::OnPaint(wxPaintEvent& event) {
    if (!IsIconized()) {
        event.Skip();
        return;
    }
    wxPaintDC dc(this);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    const wxSize icon = SystemIconSize();
    const wxSize client = GetClientSize();
    const IconOrigin origin =
        CentredIconOrigin(client.GetWidth(), client.GetHeight(), icon.GetWidth(), icon.GetHeight());
    dc.DrawIcon(m_hIcon.GetIcon(icon), origin.x, origin.y);
}
