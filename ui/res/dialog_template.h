#pragma once

#include <array>
#include <string_view>

// The main dialog's layout in dialog units, independent of any toolkit: the
// dialog is built from this table at run time, in its order, which is also
// the tab order.

struct DialogUnitRect {
    int x;
    int y;
    int width;
    int height;
};

enum class ControlKind {
    Label,            // right-aligned, vertically centred text
    SourcePathField,  // sunken, read-only, right-aligned, vertically centred
    PushButton,
    DefaultPushButton,  // pressed by Enter anywhere in the dialog
    Edit,               // right-aligned, bordered, scrolls horizontally
};

struct ControlTemplate {
    int id;  // kStaticId for the labels
    ControlKind kind;
    std::string_view text;  // UTF-8; '&' marks the mnemonic
    DialogUnitRect rect;
};

struct DialogTemplate {
    int id;
    std::string_view caption;
    std::string_view fontFace;  // used where installed, see dialog_font.h
    int fontPointSize;
    int clientWidth;
    int clientHeight;
    std::array<ControlTemplate, 7> controls;
};

// Labels that no code refers to take any id (the toolkit then picks one).
inline constexpr int kStaticId = -1;

extern const DialogTemplate kConverterDialog;
