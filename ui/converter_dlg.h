#pragma once

#include <wx/dialog.h>
#include <wx/generic/stattextg.h>
#include <wx/iconbndl.h>

#include <optional>
#include <string>

#include "known_linetypes.h"
#include "message_sink.h"
#include "run_input.h"

// The main dialog: shows the chosen source path, takes the output name and
// hands both to a conversion run, which talks to the user through this
// dialog's message boxes and busy cursor. A file dropped onto the dialog is
// taken as the source as if Browse had chosen it.
class CConverterDlg : public wxDialog, public MessageSink {
public:
    // The dialog opens with sourcePath, when given, as the source chosen
    // last. In modern mode (see RunOptions) the caption says so; nothing else
    // of the dialog changes.
    explicit CConverterDlg(wxWindow* parent = nullptr, const wxString& sourcePath = wxString(),
                           bool modern = false);

    void ShowMessage(const std::string& text) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;

    // The image shown while the minimised window is dragged, on platforms
    // that ask for one.
    wxIcon OnQueryDragIcon() const;

private:
    void OnInitDialog(wxInitDialogEvent& event);
    void OnExecute(wxCommandEvent& event);
    void OnBrowse(wxCommandEvent& event);
    void OnDropFiles(wxDropFilesEvent& event);
    void SetSourcePath(const wxString& path);
    void OnCancel(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnPaint(wxPaintEvent& event);
    wxSize SystemIconSize() const;

    bool m_modern = false;
    KnownLinetypes m_linetypes;
    const char* m_extension = nullptr;
    wxGenericStaticText* m_sourcePath = nullptr;
    wxString m_startSource;
    wxString m_outputName;
    wxIconBundle m_hIcon;
    // Held from the busy cursor's start to its end.
    std::optional<RunInputHold> m_runInput;
};
