// The main dialog as laid out from its template: rectangles in dialog
// units, order, styles, font, icons and what the fields show.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/display.h>
#include <wx/fontenum.h>
#include <wx/generic/stattextg.h>
#include <wx/image.h>
#include <wx/textctrl.h>

#include <string>
#include <vector>

#include "dialog_driver.h"
#include "resource.h"
#include "temp_dir.h"

namespace {

// The template's controls in template order: the label a control shows (for
// the labels, which have no id of their own) or its id, and its rectangle
// in dialog units.
struct Placement {
    int id;
    const char* label;
    wxPoint position;
    wxSize size;
};

const std::vector<Placement> kPlacements = {
    {wxID_ANY, "元ﾌｧｲﾙ名:", {0, 5}, {40, 15}},
    {IDC_SOURCE_PATH, "", {45, 5}, {190, 15}},
    {IDC_BROWSE, "参照(&S)", {240, 5}, {45, 15}},
    {wxID_ANY, "変換後ﾌｧｲﾙ名(&F):", {0, 30}, {70, 15}},
    {IDC_OUTPUT_NAME, "", {75, 30}, {105, 15}},
    {IDC_EXECUTE, "実行(&J)", {185, 30}, {45, 15}},
    {wxID_CANCEL, "終了(&X)", {240, 30}, {45, 15}},
};

TEST(LayoutTest, ControlsStandInTemplateOrderAtTheirRectangles) {
    CConverterDlg dialog;
    const wxWindowList& children = dialog.GetChildren();

    ASSERT_EQ(children.size(), kPlacements.size());
    std::size_t index = 0;
    for (const wxWindow* child : children) {
        const Placement& expected = kPlacements[index++];
        SCOPED_TRACE(Utf8(expected.label).utf8_string() + " #" + std::to_string(index));
        if (expected.id != wxID_ANY) {
            EXPECT_EQ(child->GetId(), expected.id);
        }
        EXPECT_EQ(child->GetLabel(), Utf8(expected.label));
        EXPECT_EQ(child->GetPosition(), dialog.ConvertDialogToPixels(expected.position));
        EXPECT_EQ(child->GetSize(), dialog.ConvertDialogToPixels(expected.size));
    }
    EXPECT_EQ(dialog.GetClientSize(), dialog.ConvertDialogToPixels(wxSize(291, 55)));
}

TEST(LayoutTest, DialogHasItsCaptionAFixedSizeAndAMinimiseBoxOnly) {
    CConverterDlg dialog;

    EXPECT_EQ(dialog.GetTitle(), Utf8("DXFからDXF変換"));
    EXPECT_EQ(dialog.GetId(), IDD_CONVERTER_DIALOG);
    EXPECT_FALSE(dialog.HasFlag(wxRESIZE_BORDER));
    EXPECT_FALSE(dialog.HasFlag(wxMAXIMIZE_BOX));
    EXPECT_TRUE(dialog.HasFlag(wxMINIMIZE_BOX));
    EXPECT_TRUE(dialog.HasFlag(wxCLOSE_BOX));
    EXPECT_TRUE(dialog.HasFlag(wxCAPTION));
    EXPECT_EQ(dialog.GetMinSize(), dialog.GetSize());
    EXPECT_EQ(dialog.GetMaxSize(), dialog.GetSize());
}

TEST(LayoutTest, DialogOpensCentredWithTheFocusOnBrowse) {
    wxPoint position;
    wxSize size;
    wxWindow* focus = nullptr;
    CConverterDlg dialog;
    ShowAndDrive(dialog, [&] {
        position = dialog.GetScreenPosition();
        size = dialog.GetSize();
        focus = wxWindow::FindFocus();
    });

    const wxRect screen = wxDisplay(&dialog).GetClientArea();
    EXPECT_NEAR(position.x, screen.x + (screen.width - size.x) / 2, 1);
    EXPECT_NEAR(position.y, screen.y + (screen.height - size.y) / 2, 1);
    EXPECT_EQ(focus, dialog.FindWindow(IDC_BROWSE));
}

// Opened with a drawing, or given one by a drop, the name is typed next.
TEST(LayoutTest, ADrawingGivenPutsTheFocusIntoTheOutputName) {
    CConverterDlg started(nullptr, Utf8("/tmp/plan.dxf"));
    CConverterDlg dropped;
    wxWindow* focus[2] = {};
    ShowAndDrive(started, [&] { focus[0] = wxWindow::FindFocus(); });
    ShowAndDrive(dropped, [&] {
        DropFiles(dropped, {"/tmp/plan.dxf"});
        focus[1] = wxWindow::FindFocus();
    });
    EXPECT_EQ(focus[0], started.FindWindow(IDC_OUTPUT_NAME));
    EXPECT_EQ(focus[1], dropped.FindWindow(IDC_OUTPUT_NAME));
}

TEST(LayoutTest, ExecuteIsTheDefaultButton) {
    CConverterDlg dialog;
    EXPECT_EQ(dialog.GetDefaultItem(), dialog.FindWindow(IDC_EXECUTE));
}

TEST(LayoutTest, TheFontIsTheFirstInstalledMinchoAtTenPoints) {
    CConverterDlg dialog;
    const wxFont font = dialog.GetFont();

    EXPECT_EQ(font.GetPointSize(), 10);
    // The test machine has the IPA Mincho fonts, but not the template's own.
    ASSERT_FALSE(wxFontEnumerator::IsValidFacename(Utf8("ＭＳ 明朝")));
    ASSERT_FALSE(wxFontEnumerator::IsValidFacename("MS Mincho"));
    ASSERT_TRUE(wxFontEnumerator::IsValidFacename("IPAMincho"));
    EXPECT_EQ(font.GetFaceName(), "IPAMincho");
    EXPECT_EQ(dialog.FindWindow(IDC_EXECUTE)->GetFont(), font);
}

TEST(LayoutTest, TextFieldsAreRightAlignedAndVerticallyCentred) {
    CConverterDlg dialog;
    const long centredRight = wxALIGN_RIGHT | wxALIGN_CENTRE_VERTICAL | wxST_NO_AUTORESIZE;

    for (wxWindow* child : dialog.GetChildren()) {
        if (auto* text = wxDynamicCast(child, wxGenericStaticText)) {
            EXPECT_EQ(text->GetWindowStyleFlag() & centredRight, centredRight) << text->GetLabel();
            EXPECT_FALSE(
                text->HasFlag(wxST_ELLIPSIZE_START | wxST_ELLIPSIZE_MIDDLE | wxST_ELLIPSIZE_END));
        }
    }
    wxWindow* source = dialog.FindWindow(IDC_SOURCE_PATH);
    ASSERT_TRUE(wxDynamicCast(source, wxGenericStaticText));
    EXPECT_EQ(source->GetBorder(), wxBORDER_SUNKEN);
    EXPECT_FALSE(source->AcceptsFocus());

    wxWindow* name = dialog.FindWindow(IDC_OUTPUT_NAME);
    ASSERT_TRUE(wxDynamicCast(name, wxTextCtrl));
    EXPECT_TRUE(name->HasFlag(wxTE_RIGHT));
    EXPECT_FALSE(name->HasFlag(wxTE_PROCESS_ENTER));
    EXPECT_FALSE(name->HasFlag(wxTE_MULTILINE));
}

TEST(LayoutTest, TheOutputNameLabelsMnemonicMovesTheFocusIntoTheEdit) {
    wxWindow* focus = nullptr;
    CConverterDlg dialog;
    ShowAndDrive(dialog, [&] {
        wxWindow* name = dialog.FindWindow(IDC_OUTPUT_NAME);
        PressKeyIn(*dialog.FindWindow(IDC_BROWSE), 'F', wxMOD_ALT,
                   [&] { return wxWindow::FindFocus() == name; });
        focus = wxWindow::FindFocus();
    });

    EXPECT_EQ(focus, dialog.FindWindow(IDC_OUTPUT_NAME));
}

TEST(LayoutTest, TheApplicationIconComesInBothSizes) {
    wxIconBundle icons;
    CConverterDlg dialog;
    ShowAndDrive(dialog, [&] { icons = dialog.GetIcons(); });

    ASSERT_EQ(icons.GetIconCount(), 2u);
    EXPECT_EQ(icons.GetIconByIndex(0).GetSize(), wxSize(32, 32));
    EXPECT_EQ(icons.GetIconByIndex(1).GetSize(), wxSize(16, 16));
    EXPECT_EQ(dialog.OnQueryDragIcon().GetSize(), wxSize(32, 32));
}

// What a window shows once it has repainted, as RGB bytes; read from the
// window itself, as the screen's copy may be a stale snapshot.
std::string Capture(wxWindow& window) {
    window.Refresh();
    window.Update();
    int rounds = 0;
    PumpEventsUntil([&] { return ++rounds == 50; });
    const wxSize size = window.GetClientSize();
    wxBitmap bitmap(size);
    {
        wxMemoryDC memory(bitmap);
        wxClientDC shown(&window);
        memory.Blit(0, 0, size.x, size.y, &shown, 0, 0);
    }
    const wxImage image = bitmap.ConvertToImage();
    return std::string(reinterpret_cast<const char*>(image.GetData()),
                       static_cast<std::size_t>(image.GetWidth() * image.GetHeight() * 3));
}

// How the source field looks with each path chosen.
std::vector<std::string> SourceFieldLooks(const std::vector<std::string>& paths) {
    std::vector<std::string> looks;
    CConverterDlg dialog;
    ShowAndDrive(dialog, [&] {
        for (const std::string& path : paths) {
            ChooseSource(dialog, FileName(path));
            looks.push_back(Capture(*dialog.FindWindow(IDC_SOURCE_PATH)));
        }
    });
    return looks;
}

std::string MakePath(const std::string& root, const std::vector<std::string>& names) {
    std::string path = root;
    for (const std::string& name : names) {
        path += "/" + name;
        mkdir(path.c_str(), 0700);
    }
    path += "/plan.dxf";
    WriteFile(path, "");
    return path;
}

TEST(LayoutTest, ALongPathShowsItsEndNotItsStart) {
    const TempDir dir;
    const std::string tail(80, 'c');
    // Far longer than the field: only the start differs, then only the end.
    const std::vector<std::string> looks = SourceFieldLooks({
        MakePath(dir.path(), {std::string(60, 'a'), tail}),
        MakePath(dir.path(), {std::string(60, 'b'), tail}),
        MakePath(dir.path(), {std::string(60, 'b'), tail, "end"}),
    });

    ASSERT_EQ(looks.size(), 3u);
    EXPECT_NE(looks[0].find_first_not_of(looks[0][0]), std::string::npos) << "nothing drawn";
    EXPECT_TRUE(looks[0] == looks[1]) << "the start of the path is shown";
    EXPECT_TRUE(looks[1] != looks[2]) << "the end of the path is not shown";
}

}  // namespace
