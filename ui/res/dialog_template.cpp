#include "dialog_template.h"

#include <wx/defs.h>

#include "resource.h"

const DialogTemplate kConverterDialog = {
    IDD_CONVERTER_DIALOG,
    "DXFからDXF変換",
    "ＭＳ 明朝",
    10,
    291,
    55,
    {{
        {kStaticId, ControlKind::Label, "元ﾌｧｲﾙ名:", {0, 5, 40, 15}},
        {IDC_SOURCE_PATH, ControlKind::SourcePathField, "", {45, 5, 190, 15}},
        {IDC_BROWSE, ControlKind::PushButton, "参照(&S)", {240, 5, 45, 15}},
        {kStaticId, ControlKind::Label, "変換後ﾌｧｲﾙ名(&F):", {0, 30, 70, 15}},
        {IDC_OUTPUT_NAME, ControlKind::Edit, "", {75, 30, 105, 15}},
        {IDC_EXECUTE, ControlKind::DefaultPushButton, "実行(&J)", {185, 30, 45, 15}},
        {wxID_CANCEL, ControlKind::PushButton, "終了(&X)", {240, 30, 45, 15}},
    }},
};
