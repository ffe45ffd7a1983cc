#include "command_line.h"

#ifndef DXFCONV_VERSION
#define DXFCONV_VERSION "0"
#endif

namespace {

CommandLine UsageError(const std::string& text) {
    CommandLine result;
    result.action = CommandLine::Action::UsageError;
    result.error = text;
    return result;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine result;
    std::vector<std::string> operands;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            operands.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "-h" || arg == "--help") {
            result.action = CommandLine::Action::Help;
            return result;
        } else if (arg == "--version") {
            result.action = CommandLine::Action::Version;
            return result;
        } else if (arg == "-q" || arg == "--quiet") {
            result.quiet = true;
        } else if (arg == "--suffix" || arg.rfind("--suffix=", 0) == 0) {
            if (arg == "--suffix") {
                if (i + 1 == arguments.size()) {
                    return UsageError("オプション --suffix には接尾辞が必要です。");
                }
                result.suffix = arguments[++i];
            } else {
                result.suffix = arg.substr(9);
            }
            result.batch = true;
        } else {
            return UsageError("不明なオプションです: " + arg);
        }
    }

    if (result.batch) {
        if (operands.empty()) return UsageError("元ﾌｧｲﾙが指定されていません。");
        result.sources = operands;
        return result;
    }
    if (operands.size() < 2) {
        return UsageError(operands.empty() ? "元ﾌｧｲﾙと変換後ﾌｧｲﾙ名が指定されていません。"
                                           : "変換後ﾌｧｲﾙ名が指定されていません。");
    }
    if (operands.size() > 2) return UsageError("余分な引数があります: " + operands[2]);
    result.sources = {operands[0]};
    result.outputName = operands[1];
    return result;
}

std::string BatchOutputName(const std::string& sourcePath, const std::string& suffix) {
    const std::size_t slash = sourcePath.rfind('/');
    std::string name = slash == std::string::npos ? sourcePath : sourcePath.substr(slash + 1);
    // A leading dot starts a hidden file's name, not an extension.
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name + suffix;
}

std::string UsageText() {
    return "使い方: dxfconv [-q] 元ﾌｧｲﾙ 変換後ﾌｧｲﾙ名\n"
           "       dxfconv [-q] --suffix 接尾辞 元ﾌｧｲﾙ...\n"
           "\n"
           "DXFﾌｧｲﾙをｺﾋﾟｰし、線種を持たない要素にﾚｲﾔの線種を書き加えます。\n"
           "変換後ﾌｧｲﾙは元ﾌｧｲﾙと同じﾌｫﾙﾀﾞに 変換後ﾌｧｲﾙ名.dxf として作られます。\n"
           "既存のﾌｧｲﾙは上書きしません。\n"
           "\n"
           "ｵﾌﾟｼｮﾝ:\n"
           "  --suffix 接尾辞  元ﾌｧｲﾙごとに変換します。変換後ﾌｧｲﾙ名は元ﾌｧｲﾙ名から\n"
           "                   拡張子を除き、接尾辞を付けたものです。\n"
           "  -q, --quiet      成功のﾒｯｾｰｼﾞを表示しません。\n"
           "  -h, --help       この説明を表示します。\n"
           "  --version        ﾊﾞｰｼﾞｮﾝを表示します。\n"
           "  --               これ以降の引数をｵﾌﾟｼｮﾝとして扱いません。\n"
           "\n"
           "例: dxfconv plan.dxf plan_lt        (plan_lt.dxf を作ります)\n"
           "    dxfconv --suffix _lt *.dxf\n"
           "\n"
           "終了ｺｰﾄﾞ: 0 変換が終了した, 1 変換できなかった, 2 引数の誤り\n";
}

std::string VersionText() { return std::string("dxfconv ") + DXFCONV_VERSION + "\n"; }
