#pragma once

#include <string>

// The texts a run shows, written out here rather than taken from the engine,
// so that a changed text is caught.
namespace expected {

inline const std::string kFinished = "変換が終了しました。";
inline const std::string kLayerLimit =
    "ﾚｲﾔのﾄｰﾀﾙが256を越えました。\n　これ以上のﾚｲﾔは無視します。";
inline const std::string kLineTooLong = "一行の文字数が98以上です。\n　変換は完了していません。";
inline const std::string kStructureErrorBefore = "行目の ";
inline const std::string kStructureErrorAfter = " が不正です。\n　変換は完了していません。";

}  // namespace expected
