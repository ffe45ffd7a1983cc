#pragma once

#include <string_view>

// Every text the engine shows to the user, exactly as the user reads it.
// Each error has the cause, a line break, an ideographic space and the
// state of the conversion.
namespace messages {

inline constexpr std::string_view kFinished = "変換が終了しました。";

inline constexpr std::string_view kNoSourceSelected =
    "元ﾌｧｲﾙが選択されていません。\n　変換は出来ません。";
inline constexpr std::string_view kSourceMissing =
    "元ﾌｧｲﾙ名で選択したﾌｧｲﾙが有りません。\n　変換は出来ません。";
inline constexpr std::string_view kNoOutputName =
    "変換後ﾌｧｲﾙ名が指定されていません。\n　変換は出来ません。";
inline constexpr std::string_view kOutputExists =
    "変換後ﾌｧｲﾙ名で指定したﾌｧｲﾙが有ります。\n　変換は出来ません。";
inline constexpr std::string_view kBinarySource =
    "元ﾌｧｲﾙはﾊﾞｲﾅﾘ形式のDXFﾌｧｲﾙです。\n　変換は出来ません。";
inline constexpr std::string_view kUtf16Source =
    "元ﾌｧｲﾙはUTF-16形式のﾌｧｲﾙです。\n　変換は出来ません。";
inline constexpr std::string_view kOutputOpenFailed =
    "変換後ﾌｧｲﾙ名で指定したﾌｧｲﾙを開くのに失敗しました。\n　変換は出来ません。";

inline constexpr std::string_view kReadError =
    "ﾌｧｲﾙの読込みでｴﾗｰが発生しました。\n　変換は完了していません。";
inline constexpr std::string_view kLineTooLong =
    "一行の文字数が98以上です。\n　変換は完了していません。";
inline constexpr std::string_view kWriteError =
    "ﾌｧｲﾙの書込みでｴﾗｰが発生しました。\n　変換は完了していません。";

// The structure error is lineNumberText + kStructureErrorBefore + keyword +
// kStructureErrorAfter.
inline constexpr std::string_view kStructureErrorBefore = "行目の ";
inline constexpr std::string_view kStructureErrorAfter =
    " が不正です。\n　変換は完了していません。";

inline constexpr std::string_view kLayerLimit =
    "ﾚｲﾔのﾄｰﾀﾙが256を越えました。\n　これ以上のﾚｲﾔは無視します。";

// Close failures: one line after an abort or a failed output open, two lines
// in the closing sequence, where the whole source has been converted.
inline constexpr std::string_view kSourceCloseFailed =
    "元ﾌｧｲﾙ名で選択したﾌｧｲﾙを閉じるのに失敗しました。";
inline constexpr std::string_view kOutputCloseFailed =
    "変換後ﾌｧｲﾙ名で指定したﾌｧｲﾙを閉じるのに失敗しました。";
inline constexpr std::string_view kSourceCloseFailedAtEnd =
    "元ﾌｧｲﾙ名で選択したﾌｧｲﾙを閉じるのに失敗しました。\n　変換は終了しています。";
inline constexpr std::string_view kOutputCloseFailedAtEnd =
    "変換後ﾌｧｲﾙ名で指定したﾌｧｲﾙを閉じるのに失敗しました。\n　変換は終了しています。";

}  // namespace messages
