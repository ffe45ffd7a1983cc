// The dialog started in modern mode: its caption says so, and Execute runs
// the modern conversion.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_driver.h"
#include "messages.h"
#include "resource.h"
#include "temp_dir.h"

namespace {

// A layer on a linetype of the file's own LTYPE table, spelt in another
// case there, and a LINE on it.
const std::string kDrawing =
    "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLTYPE\n 70\n1\n  0\nLTYPE\n  2\nHidden2\n"
    " 70\n0\n  0\nENDTAB\n  0\nTABLE\n  2\nLAYER\n 70\n1\n  0\nLAYER\n  2\nWALL\n 70\n0\n"
    "  6\nHIDDEN2\n  0\nENDTAB\n  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  8\nWALL\n"
    "  0\nENDSEC\n  0\nEOF\n";

std::string Crlf(const std::string& text) {
    std::string result;
    for (const char c : text) {
        if (c == '\n') result += '\r';
        result += c;
    }
    return result;
}

// Runs kDrawing through a dialog in modern mode; gives the output.
std::string ConvertWithDialog(std::vector<ShownMessage>& shown) {
    TempDir dir;
    const std::string source = dir.File("plan.dxf");
    WriteFile(source, kDrawing);
    CConverterDlg dialog(nullptr, wxString(), true);
    ShowAndDrive(dialog, [&] {
        ChooseSource(dialog, FileName(source));
        TypeOutputName(dialog, "NEW");
        wxTEST_DIALOG(Press(dialog, IDC_EXECUTE), ExpectMessage(wxID_OK, shown));
    });
    return ReadFile(dir.File("NEW.dxf"));
}

TEST(ModernModeTest, CaptionNamesTheModeOnlyInModernMode) {
    CConverterDlg modern(nullptr, wxString(), true);
    CConverterDlg plain;

    EXPECT_EQ(modern.GetTitle(), Utf8("DXFからDXF変換 (R13以降)"));
    EXPECT_EQ(plain.GetTitle(), Utf8("DXFからDXF変換"));
    EXPECT_EQ(modern.GetChildren().size(), plain.GetChildren().size());
    EXPECT_EQ(modern.GetClientSize(), plain.GetClientSize());
}

TEST(ModernModeTest, ExecuteRunsTheModernConversion) {
    std::vector<ShownMessage> shown;
    const std::string output = ConvertWithDialog(shown);

    std::string expected = kDrawing;
    expected.insert(expected.find("  0\nENDSEC\n  0\nEOF"), "  6\nHIDDEN2\n");
    EXPECT_EQ(output, Crlf(expected));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, Utf8(messages::kFinished));
}

}  // namespace
