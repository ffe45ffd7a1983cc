#pragma once

#include <functional>
#include <string_view>
#include <vector>

// The faces tried for the dialog's font, in order: the template's own face,
// then Mincho faces that other systems carry under other names, so that the
// dialog is laid out with the very font it is drawn with.
std::vector<std::string_view> DialogFontFaces(std::string_view templateFace);

// The first face for which installed holds; "" when none does.
std::string_view FirstInstalledFace(const std::vector<std::string_view>& faces,
                                    const std::function<bool(std::string_view)>& installed);
