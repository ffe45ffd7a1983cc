#include "wx_text.h"

#include <gtest/gtest.h>

#include <string>

#include "temp_dir.h"

namespace {

// On Windows the engine takes UTF-8 paths: what the file dialog gives back
// reaches it as UTF-8 whatever the system's code page, and a path the engine
// names comes back to the dialog unchanged.
TEST(WxTextTest, PathsCrossAsUtf8) {
    const std::string path = "C:\\図面_도면\\平面図😀.dxf";
    const wxString shown = wxString::FromUTF8(path.c_str());
    EXPECT_EQ(FileBytes(shown), path);
    EXPECT_EQ(FromFileBytes(path), shown);
}

TEST(WxTextTest, AChosenPathOpensTheFileItNames) {
    TempDir dir;
    const std::string path = dir.File("平面図😀.dxf");
    WriteFile(path, "0\nEOF\n");
    EXPECT_EQ(ReadFile(FileBytes(FromFileBytes(path))), "0\nEOF\n");
}

}  // namespace
