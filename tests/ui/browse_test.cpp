// Choosing the source with Browse: the file-open dialog's set-up, and what
// reaches the source path field; a file the program is started with or that
// is dropped onto the dialog counts as chosen.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <wx/filedlg.h>

#include <cstdio>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "messages.h"
#include "resource.h"
#include "temp_dir.h"

namespace {

// Creates a directory and a file in it and returns the file's path.
std::string MakeFile(const std::string& directory, const std::string& name) {
    mkdir(directory.c_str(), 0700);
    WriteFile(directory + "/" + name, "");
    return directory + "/" + name;
}

ShownFileDialog Browse(CConverterDlg& dialog, const std::string& choice) {
    ShownFileDialog shown;
    wxTEST_DIALOG(Press(dialog, IDC_BROWSE),
                  ExpectFileDialog(choice.empty() ? wxString() : FileName(choice), shown));
    return shown;
}

TEST(BrowseTest, FirstPressOffersDxfFilesFirstAndNoStartingFolder) {
    const TempDir dir;
    const std::string source = MakeFile(dir.path(), "plan.dxf");
    ShownFileDialog shown;
    wxString field;

    CConverterDlg dialog;
    ShowAndDrive(dialog, [&] {
        shown = Browse(dialog, source);
        field = SourcePathText(dialog);
    });

    EXPECT_EQ(shown.title, Utf8("DXF元ﾌｧｲﾙを選択"));
#ifdef __WXGTK__
    // Patterns as GTK must have them to match the extension in any case and
    // every file; the descriptions as they are everywhere.
    EXPECT_EQ(shown.wildcard, Utf8("DXFﾌｧｲﾙ(*.dxf)|*.[dD][xX][fF]|すべてのﾌｧｲﾙ(*.*)|*"));
    EXPECT_EQ(shown.filters,
              (std::vector<std::string>{
                  "DXFﾌｧｲﾙ(*.dxf): plan.dxf PLAN.DXF Plan.Dxf",
                  "すべてのﾌｧｲﾙ(*.*): plan.dxf PLAN.DXF Plan.Dxf plan.dxf.bak README notes.txt"}));
#else
    EXPECT_EQ(shown.wildcard, Utf8("DXFﾌｧｲﾙ(*.dxf)|*.dxf|すべてのﾌｧｲﾙ(*.*)|*.*"));
#endif
    EXPECT_EQ(shown.filterIndex, 0);
    EXPECT_TRUE(shown.style & wxFD_OPEN);
    EXPECT_TRUE(shown.style & wxFD_FILE_MUST_EXIST);
    EXPECT_FALSE(shown.style & wxFD_MULTIPLE);
    EXPECT_EQ(shown.directory, "");
    EXPECT_EQ(shown.fileName, "*.dxf");
    EXPECT_EQ(field, FileName(source));
}

TEST(BrowseTest, EachPressStartsInTheDirectoryOfTheFileChosenLast) {
    const TempDir dir;
    const std::string first = MakeFile(dir.File("first"), "a.dxf");
    const std::string second = MakeFile(dir.File("second"), "b.dxf");
    ShownFileDialog secondPress;
    ShownFileDialog thirdPress;

    CConverterDlg dialog;
    ShowAndDrive(dialog, [&] {
        Browse(dialog, first);
        secondPress = Browse(dialog, second);
        thirdPress = Browse(dialog, "");
    });

    EXPECT_EQ(secondPress.directory, FileName(dir.File("first")));
    EXPECT_EQ(thirdPress.directory, FileName(dir.File("second")));
}

TEST(BrowseTest, CancelKeepsTheEarlierPathAndTheOutputName) {
    const TempDir dir;
    const std::string source = MakeFile(dir.path(), "plan.dxf");
    wxString field;
    wxString name;

    CConverterDlg dialog;
    ShowAndDrive(dialog, [&] {
        Browse(dialog, source);
        TypeOutputName(dialog, "NEW");
        Browse(dialog, "");
        field = SourcePathText(dialog);
        name = OutputNameText(dialog);
    });

    EXPECT_EQ(field, FileName(source));
    EXPECT_EQ(name, "NEW");
}

TEST(BrowseTest, CancelOnTheFirstPressLeavesTheFieldEmpty) {
    wxString field = "unset";

    CConverterDlg dialog;
    ShowAndDrive(dialog, [&] {
        Browse(dialog, "");
        field = SourcePathText(dialog);
    });

    EXPECT_EQ(field, "");
}

TEST(BrowseTest, AFileOfAnyTypeIsShownExactlyAsChosen) {
    const TempDir dir;
    const std::string source = MakeFile(dir.File("図面 & 資料"), "plan&v2.txt");
    wxString field;
    wxString label;

    CConverterDlg dialog;
    ShowAndDrive(dialog, [&] {
        Browse(dialog, source);
        field = SourcePathText(dialog);
        label = dialog.FindWindow(IDC_SOURCE_PATH)->GetLabel();
    });

    EXPECT_EQ(field, FileName(source));
    // The '&' is shown, not taken for a mnemonic.
    EXPECT_EQ(label, wxControl::EscapeMnemonics(FileName(source)));
}

TEST(BrowseTest, AFileStartedWithIsShownAsChosenAndBrowseStartsInItsDirectory) {
    const TempDir dir;
    const std::string source = MakeFile(dir.File("図面"), "plan.dxf");
    wxString field;
    ShownFileDialog shown;

    CConverterDlg dialog(nullptr, FileName(source));
    ShowAndDrive(dialog, [&] {
        field = SourcePathText(dialog);
        shown = Browse(dialog, "");
    });

    EXPECT_EQ(field, FileName(source));
    EXPECT_EQ(shown.directory, FileName(dir.File("図面")));
}

// Execute then reports the missing file as for a chosen file that has gone
// since.
TEST(BrowseTest, AMissingFileStartedWithIsShownAndReportedAsAChosenOneWouldBe) {
    const TempDir dir;
    const std::string source = MakeFile(dir.path(), "plan.dxf");
    std::vector<ShownMessage> chosen;
    std::vector<ShownMessage> started;

    CConverterDlg first;
    ShowAndDrive(first, [&] {
        Browse(first, source);
        std::remove(source.c_str());
        TypeOutputName(first, "NEW");
        wxTEST_DIALOG(Press(first, IDC_EXECUTE), ExpectMessage(wxID_OK, chosen));
    });
    wxString field;
    CConverterDlg second(nullptr, FileName(source));
    ShowAndDrive(second, [&] {
        field = SourcePathText(second);
        TypeOutputName(second, "NEW");
        wxTEST_DIALOG(Press(second, IDC_EXECUTE), ExpectMessage(wxID_OK, started));
    });

    EXPECT_EQ(field, FileName(source));
    ASSERT_EQ(chosen.size(), 1u);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(chosen[0].text, Utf8(messages::kSourceMissing));
    EXPECT_EQ(started[0].text, chosen[0].text);
}

TEST(BrowseTest, ADroppedFileIsTakenAsChosenAndKeepsTheOutputName) {
    const TempDir dir;
    const std::string first = MakeFile(dir.File("first"), "a.dxf");
    const std::string dropped = MakeFile(dir.File("dropped"), "b.dxf");
    wxString field;
    wxString name;
    ShownFileDialog shown;

    CConverterDlg dialog;
    ShowAndDrive(dialog, [&] {
        Browse(dialog, first);
        TypeOutputName(dialog, "NEW");
        DropFiles(dialog, {FileName(dropped)});
        field = SourcePathText(dialog);
        name = OutputNameText(dialog);
        shown = Browse(dialog, "");
    });

    EXPECT_EQ(field, FileName(dropped));
    EXPECT_EQ(name, "NEW");
    EXPECT_EQ(shown.directory, FileName(dir.File("dropped")));
}

TEST(BrowseTest, ADropOfSeveralTakesTheFirstFileAndPassesOverFolders) {
    const TempDir dir;
    const std::string a = MakeFile(dir.File("folder"), "a.dxf");
    const std::string b = MakeFile(dir.path(), "b.dxf");
    wxString afterFolderAlone = "unset";
    wxString afterSeveral;

    CConverterDlg dialog;
    ShowAndDrive(dialog, [&] {
        DropFiles(dialog, {FileName(dir.File("folder"))});
        afterFolderAlone = SourcePathText(dialog);
        DropFiles(dialog, {FileName(dir.File("folder")), FileName(b), FileName(a)});
        afterSeveral = SourcePathText(dialog);
    });

    EXPECT_EQ(afterFolderAlone, "");
    EXPECT_EQ(afterSeveral, FileName(b));
}

}  // namespace
