// Choosing the source with Browse: the file-open dialog's set-up, and what
// reaches the source path field.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <wx/filedlg.h>

#include <string>

#include "dialog_driver.h"
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

}  // namespace
