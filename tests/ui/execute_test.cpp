// Execute hands the dialog's fields to a conversion run, and the run talks
// back through the dialog's message boxes and busy cursor.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <wx/app.h>
#include <wx/utils.h>

#include <ostream>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "drawings.h"
#include "messages.h"
#include "resource.h"
#include "temp_dir.h"

namespace {

// Everything a run left visible: the boxes, the fields after it, the cursor.
struct ExecuteResult {
    std::vector<ShownMessage> messages;
    wxString sourceAfter;
    wxString nameAfter;
    bool busyAfter = true;
};

// Opens the dialog, chooses source (unless empty), types name and presses
// Execute, answering every message box with OK; expects messageCount boxes.
ExecuteResult Execute(const std::string& source, const wxString& name, std::size_t messageCount) {
    ExecuteResult result;
    CConverterDlg dialog;
    ShowAndDrive(dialog, [&] {
        if (!source.empty()) ChooseSource(dialog, FileName(source));
        TypeOutputName(dialog, name);
        if (messageCount == 1) {
            wxTEST_DIALOG(Press(dialog, IDC_EXECUTE), ExpectMessage(wxID_OK, result.messages));
        } else {
            wxTEST_DIALOG(Press(dialog, IDC_EXECUTE), ExpectMessage(wxID_OK, result.messages),
                          ExpectMessage(wxID_OK, result.messages));
        }
        result.sourceAfter = SourcePathText(dialog);
        result.nameAfter = OutputNameText(dialog);
        result.busyAfter = wxIsBusy();
    });
    return result;
}

std::vector<wxString> Texts(const std::vector<ShownMessage>& messages) {
    std::vector<wxString> texts;
    for (const ShownMessage& message : messages) texts.push_back(message.text);
    return texts;
}

TEST(ExecuteTest, WithNothingChosenOrTypedOnlyTheMissingSourceIsReported) {
    const ExecuteResult result = Execute("", "", 1);

    EXPECT_EQ(Texts(result.messages), std::vector<wxString>{Utf8(messages::kNoSourceSelected)});
    EXPECT_EQ(result.sourceAfter, "");
    EXPECT_EQ(result.nameAfter, "");
}

TEST(ExecuteTest, MessagesAreOkBoxesWithTheExclamationIconAndTheApplicationsName) {
    const ShownMessage box = Execute("", "", 1).messages.at(0);

    EXPECT_EQ(box.caption, wxTheApp->GetAppName());
    EXPECT_EQ(box.style & (wxOK | wxYES_NO | wxCANCEL), wxOK);
    EXPECT_EQ(box.style & wxICON_MASK, wxICON_EXCLAMATION);
    EXPECT_FALSE(box.busy);
}

TEST(ExecuteTest, EnterInTheOutputNameRunsExecute) {
    std::vector<ShownMessage> shown;

    CConverterDlg dialog;
    ShowAndDrive(dialog, [&] {
        TypeOutputName(dialog, "NEW");
        wxTEST_DIALOG(PressKeyIn(*dialog.FindWindow(IDC_OUTPUT_NAME), WXK_RETURN, wxMOD_NONE,
                                 [&] { return !shown.empty(); }),
                      ExpectMessage(wxID_OK, shown));
    });

    EXPECT_EQ(Texts(shown), std::vector<wxString>{Utf8(messages::kNoSourceSelected)});
}

TEST(ExecuteTest, ConvertsIntoANewFileBesideTheSource) {
    const TempDir dir;
    WriteFile(dir.File("plan.dxf"), WallDrawing("HIDDEN"));

    const ExecuteResult result = Execute(dir.File("plan.dxf"), "NEW", 1);

    EXPECT_EQ(Texts(result.messages), std::vector<wxString>{Utf8(messages::kFinished)});
    EXPECT_FALSE(result.messages.at(0).busy);
    EXPECT_FALSE(result.busyAfter);
    EXPECT_EQ(ReadFile(dir.File("NEW.dxf")), WallDrawingConverted("HIDDEN"));
    EXPECT_EQ(ReadFile(dir.File("plan.dxf")), WallDrawing("HIDDEN"));
    EXPECT_EQ(ListDir(dir.path()), (std::vector<std::string>{"NEW.dxf", "plan.dxf"}));
    EXPECT_EQ(result.sourceAfter, FileName(dir.File("plan.dxf")));
    EXPECT_EQ(result.nameAfter, "NEW");
}

// The eight linetype names reach the run in their order: the last one too.
TEST(ExecuteTest, TheLastKnownLinetypeIsInjectedToo) {
    const TempDir dir;
    WriteFile(dir.File("plan.dxf"), WallDrawing("DIVIDE"));

    Execute(dir.File("plan.dxf"), "NEW", 1);

    EXPECT_EQ(ReadFile(dir.File("NEW.dxf")), WallDrawingConverted("DIVIDE"));
}

// The layer-limit notice is the one message shown while the run still has
// the busy cursor on; the final message comes after the cursor is cleared.
TEST(ExecuteTest, TheBusyCursorIsOnDuringTheRunAndOffBeforeTheFinalMessage) {
    const TempDir dir;
    WriteFile(dir.File("plan.dxf"), DrawingWithLayers(257));

    const ExecuteResult result = Execute(dir.File("plan.dxf"), "NEW", 2);

    ASSERT_EQ(result.messages.size(), 2u);
    EXPECT_EQ(result.messages[0].text, Utf8(messages::kLayerLimit));
    EXPECT_TRUE(result.messages[0].busy);
    EXPECT_EQ(result.messages[1].text, Utf8(messages::kFinished));
    EXPECT_FALSE(result.messages[1].busy);
    EXPECT_FALSE(result.busyAfter);
}

TEST(ExecuteTest, TheOutputNameIsUsedExactlyAsTypedSpacesIncluded) {
    const TempDir dir;
    WriteFile(dir.File("plan.dxf"), WallDrawing("HIDDEN"));

    const ExecuteResult result = Execute(dir.File("plan.dxf"), "  new plan ", 1);

    EXPECT_EQ(Texts(result.messages), std::vector<wxString>{Utf8(messages::kFinished)});
    EXPECT_EQ(ListDir(dir.path()), (std::vector<std::string>{"  new plan .dxf", "plan.dxf"}));
    EXPECT_EQ(result.nameAfter, "  new plan ");
}

TEST(ExecuteTest, APathWithAnAmpersandAndJapaneseDirectoriesConverts) {
    const TempDir dir;
    const std::string directory = dir.File("図面&データ");
    mkdir(directory.c_str(), 0700);
    mkdir((directory + "/表ソ").c_str(), 0700);
    const std::string source = directory + "/表ソ/平面&図.dxf";
    WriteFile(source, WallDrawing("CENTER"));

    const ExecuteResult result = Execute(source, Utf8("変換後&1"), 1);

    EXPECT_EQ(Texts(result.messages), std::vector<wxString>{Utf8(messages::kFinished)});
    EXPECT_EQ(ReadFile(directory + "/表ソ/変換後&1.dxf"), WallDrawingConverted("CENTER"));
    EXPECT_EQ(result.sourceAfter, FileName(source));
}

struct FailedRunCase {
    const char* name;
    const char* source;  // "" for none chosen
    const char* outputName;
    std::string_view message;

    friend void PrintTo(const FailedRunCase& run, std::ostream* out) { *out << run.name; }
};

class FailedRunTest : public testing::TestWithParam<FailedRunCase> {};

// Whatever the run reports, the fields stay as they were, and the same
// press can be repeated at once.
TEST_P(FailedRunTest, ShowsTheRunsOneMessageAndKeepsBothFields) {
    const TempDir dir;
    WriteFile(dir.File("plan.dxf"), WallDrawing("HIDDEN"));
    WriteFile(dir.File("OLD.dxf"), "kept");
    const std::string source = *GetParam().source ? dir.File(GetParam().source) : "";

    const ExecuteResult result = Execute(source, GetParam().outputName, 1);

    EXPECT_EQ(Texts(result.messages), std::vector<wxString>{Utf8(GetParam().message)});
    EXPECT_EQ(result.sourceAfter, FileName(source));
    EXPECT_EQ(result.nameAfter, GetParam().outputName);
    EXPECT_FALSE(result.busyAfter);
    EXPECT_EQ(ReadFile(dir.File("OLD.dxf")), "kept");
}

INSTANTIATE_TEST_SUITE_P(
    Runs, FailedRunTest,
    testing::Values(FailedRunCase{"NoSource", "", "NEW", messages::kNoSourceSelected},
                    FailedRunCase{"NoName", "plan.dxf", "", messages::kNoOutputName},
                    FailedRunCase{"OutputExists", "plan.dxf", "OLD", messages::kOutputExists},
                    FailedRunCase{"OutputIsSource", "plan.dxf", "plan", messages::kOutputExists}),
    [](const testing::TestParamInfo<FailedRunCase>& info) { return std::string(info.param.name); });

}  // namespace
