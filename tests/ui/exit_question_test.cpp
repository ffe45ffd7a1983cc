// Leaving the dialog: Exit, Esc and the close box all ask first; No, or
// cancelling the question, keeps everything; Yes ends the dialog.
#include <gtest/gtest.h>
#include <wx/app.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "resource.h"
#include "temp_dir.h"

namespace {

struct ExitWay {
    const char* name;
    // Asks to leave; done tells when the question has been answered.
    std::function<void(CConverterDlg& dialog, const std::function<bool()>& done)> leave;

    friend void PrintTo(const ExitWay& way, std::ostream* out) { *out << way.name; }
};

const ExitWay kExitWays[] = {
    {"ExitButton", [](CConverterDlg& dialog, auto&) { Press(dialog, wxID_CANCEL); }},
    {"EscKey",
     [](CConverterDlg& dialog, auto& done) {
         PressKeyIn(*dialog.FindWindow(IDC_OUTPUT_NAME), WXK_ESCAPE, wxMOD_NONE, done);
     }},
    // What the toolkit does when the window manager's close box is clicked.
    {"CloseBox", [](CConverterDlg& dialog, auto&) { dialog.Close(); }},
};

class ExitQuestionTest : public testing::TestWithParam<ExitWay> {};

TEST_P(ExitQuestionTest, NoOrCancelKeepsBothFieldsAndYesEndsTheDialog) {
    const TempDir dir;
    WriteFile(dir.File("plan.dxf"), "");
    const wxString source = FileName(dir.File("plan.dxf"));
    std::vector<ShownMessage> shown;
    bool openAfterCancel = false;
    bool openAfterNo = false;
    wxString sourceAfterNo;
    wxString nameAfterNo;

    CConverterDlg dialog;
    const int result = ShowAndDrive(dialog, [&] {
        ChooseSource(dialog, source);
        TypeOutputName(dialog, " NEW ");
        wxTEST_DIALOG(GetParam().leave(dialog, [&] { return shown.size() == 1; }),
                      ExpectMessage(wxID_CANCEL, shown));
        openAfterCancel = dialog.IsModal();
        wxTEST_DIALOG(GetParam().leave(dialog, [&] { return shown.size() == 2; }),
                      ExpectMessage(wxID_NO, shown));
        openAfterNo = dialog.IsModal();
        sourceAfterNo = SourcePathText(dialog);
        nameAfterNo = OutputNameText(dialog);
        wxTEST_DIALOG(GetParam().leave(dialog, [&] { return shown.size() == 3; }),
                      ExpectMessage(wxID_YES, shown));
    });

    EXPECT_TRUE(openAfterCancel);
    EXPECT_TRUE(openAfterNo);
    EXPECT_EQ(sourceAfterNo, source);
    EXPECT_EQ(nameAfterNo, " NEW ");
    EXPECT_EQ(result, wxID_CANCEL);
    ASSERT_EQ(shown.size(), 3u);
    for (const ShownMessage& question : shown) {
        EXPECT_EQ(question.text, Utf8("DXFからDXF変換を終了します。"));
        EXPECT_EQ(question.caption, wxTheApp->GetAppName());
        EXPECT_EQ(question.style & (wxYES_NO | wxICON_MASK), wxYES_NO | wxICON_QUESTION);
        // GTK keeps the mnemonics in its own form.
        EXPECT_EQ(question.yesLabel, Utf8("はい(_Y)"));
        EXPECT_EQ(question.noLabel, Utf8("いいえ(_N)"));
    }
}

INSTANTIATE_TEST_SUITE_P(AllWays, ExitQuestionTest, testing::ValuesIn(kExitWays),
                         [](const testing::TestParamInfo<ExitWay>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
