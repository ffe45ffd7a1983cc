#include "dialog_font.h"

std::vector<std::string_view> DialogFontFaces(std::string_view templateFace) {
    return {templateFace,  "MS Mincho", "IPAMincho",        "IPA明朝",
            "IPAexMincho", "IPAex明朝", "Noto Serif CJK JP"};
}

std::string_view FirstInstalledFace(const std::vector<std::string_view>& faces,
                                    const std::function<bool(std::string_view)>& installed) {
    for (std::string_view face : faces) {
        if (installed(face)) return face;
    }
    return "";
}
