#include "command_line.h"

#include <string_view>

#include "output_path.h"

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

// Why a suffix would not give an output name in the source's own folder,
// or nothing when it does. Only dots and spaces would make a name Windows
// trims to another one.
std::string SuffixProblem(std::string_view suffix) {
    const std::size_t separator = suffix.find_first_of(kPathSeparators);
    if (separator != std::string_view::npos) {
        return "オプション --suffix の接尾辞に区切り文字 " + std::string(1, suffix[separator]) +
               " は使えません。変換後ﾌｧｲﾙは元ﾌｧｲﾙと同じﾌｫﾙﾀﾞに作られます: " + std::string(suffix);
    }
    if (suffix.find('\0') != std::string_view::npos) {
        return "オプション --suffix の接尾辞に NUL 文字は使えません。";
    }
    if (!suffix.empty() && suffix.find_first_not_of(". ") == std::string_view::npos) {
        return "オプション --suffix の接尾辞が点と空白だけです: " + std::string(suffix);
    }
    return "";
}

// A job count: digits only, at most a few thousand.
bool ParseJobs(const std::string& text, unsigned& jobs) {
    if (text.empty() || text.size() > 4) return false;
    unsigned value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    jobs = value;
    return true;
}

// An option that takes a value, given as "--name VALUE", "--name=VALUE" or,
// for a short name, "-nVALUE". Returns false when arg is not this option.
bool TakeValue(const std::vector<std::string>& arguments, std::size_t& i,
               const std::string& shortName, const std::string& longName, std::string& value,
               bool& missing) {
    const std::string& arg = arguments[i];
    missing = false;
    if (arg == longName || (!shortName.empty() && arg == shortName)) {
        if (i + 1 == arguments.size()) {
            missing = true;
        } else {
            value = arguments[++i];
        }
        return true;
    }
    if (arg.rfind(longName + "=", 0) == 0) {
        value = arg.substr(longName.size() + 1);
        return true;
    }
    if (!shortName.empty() && arg.size() > shortName.size() && arg.rfind(shortName, 0) == 0) {
        value = arg.substr(shortName.size());
        return true;
    }
    return false;
}

// The output name without a ".dxf" the user typed out of habit: the run
// appends the extension itself. A name that would be left empty, or end in
// a folder's separator, keeps it.
std::string WithoutDxfExtension(const std::string& name) {
    constexpr std::string_view kExtension = ".dxf";
    if (name.size() <= kExtension.size()) return name;
    const std::size_t stem = name.size() - kExtension.size();
    for (std::size_t i = 0; i < kExtension.size(); ++i) {
        const char c = name[stem + i];
        const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != kExtension[i]) return name;
    }
    if (name[stem - 1] == '/') return name;
    return name.substr(0, stem);
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine result;
    std::vector<std::string> operands;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        std::string value;
        bool missing = false;
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
        } else if (arg == "--check") {
            result.check = true;
        } else if (arg == "--modern") {
            result.modern = true;
        } else if (TakeValue(arguments, i, "", "--suffix", value, missing)) {
            if (missing) return UsageError("オプション --suffix には接尾辞が必要です。");
            if (const std::string problem = SuffixProblem(value); !problem.empty()) {
                return UsageError(problem);
            }
            result.suffix = value;
            result.batch = true;
        } else if (TakeValue(arguments, i, "-j", "--jobs", value, missing)) {
            if (missing) return UsageError("オプション " + arg + " には数が必要です。");
            if (!ParseJobs(value, result.jobs)) {
                return UsageError("オプション " + arg + " の数が不正です: " + value);
            }
        } else {
            return UsageError("不明なオプションです: " + arg);
        }
    }

    if (result.batch && result.check) {
        return UsageError("--check と --suffix は一緒に使えません。");
    }
    if (result.prefixed()) {
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
    result.outputName = WithoutDxfExtension(operands[1]);
    return result;
}

std::string BatchOutputName(const std::string& sourcePath, const std::string& suffix) {
    std::string name = sourcePath.substr(FolderPartLength(sourcePath));
    // A leading dot starts a hidden file's name, not an extension.
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name + suffix;
}

std::string UsageText() {
    return "使い方: dxfconv [-q] 元ﾌｧｲﾙ 変換後ﾌｧｲﾙ名\n"
           "       dxfconv [-q] [-j 数] --suffix 接尾辞 元ﾌｧｲﾙ...\n"
           "       dxfconv [-q] [-j 数] --check 元ﾌｧｲﾙ...\n"
           "       (どの形にも --modern を付けられます)\n"
           "\n"
           "DXFﾌｧｲﾙをｺﾋﾟｰし、線種を持たない要素にﾚｲﾔの線種を書き加えます。\n"
           "変換後ﾌｧｲﾙは元ﾌｧｲﾙと同じﾌｫﾙﾀﾞに 変換後ﾌｧｲﾙ名.dxf として作られます\n"
           "(変換後ﾌｧｲﾙ名の末尾の .dxf は省いても同じです)。\n"
           "既存のﾌｧｲﾙは上書きしません。\n"
           "\n"
           "ｵﾌﾟｼｮﾝ:\n"
           "  --suffix 接尾辞  元ﾌｧｲﾙごとに変換します。変換後ﾌｧｲﾙ名は元ﾌｧｲﾙ名から\n"
           "                   拡張子を除き、接尾辞を付けたものです。\n"
           "  --check          ﾌｧｲﾙを作らずに変換し、変換できるかどうかを調べます。\n"
           "  --modern         R13 以降の形式で保存された図面向けに変換します:\n"
           "                   行の長さを制限せず、LTYPE ﾃｰﾌﾞﾙをそのままｺﾋﾟｰしてその\n"
           "                   線種名も使い、ﾚｲﾔ名と線種名は両端の空白だけを除き\n"
           "                   大文字と小文字を区別せず、ﾚｲﾔ数を制限せず、線種と\n"
           "                   ﾚｲﾔの線の太さ(370、0 以上のとき)をｻﾌﾞｸﾗｽの前に書き\n"
           "                   加えます。ﾌﾞﾛｯｸ定義(ﾓﾃﾞﾙ空間とﾍﾟｰﾊﾟｰ空間を除く)の\n"
           "                   ﾚｲﾔ 0 の要素には書き加えません。\n"
           "  -j, --jobs 数    --suffix と --check で同時に変換するﾌｧｲﾙの数です\n"
           "                   (既定 1、0 はﾌﾟﾛｾｯｻの数)。ﾒｯｾｰｼﾞは元ﾌｧｲﾙの順に\n"
           "                   まとめて表示します。\n"
           "  -q, --quiet      成功のﾒｯｾｰｼﾞを表示しません。\n"
           "  -h, --help       この説明を表示します。\n"
           "  --version        ﾊﾞｰｼﾞｮﾝを表示します。\n"
           "  --               これ以降の引数をｵﾌﾟｼｮﾝとして扱いません。\n"
           "\n"
           "例: dxfconv plan.dxf plan_lt        (plan_lt.dxf を作ります)\n"
           "    dxfconv --suffix _lt -j 0 *.dxf\n"
           "    dxfconv --check *.dxf\n"
           "\n"
           "終了ｺｰﾄﾞ: 0 変換が終了した, 1 変換できなかった, 2 引数の誤り,\n"
           "          128+ｼｸﾞﾅﾙ番号 中断された(作りかけの変換後ﾌｧｲﾙは削除します)\n";
}

std::string VersionText() {
    return std::string("dxfconv ") + DXFCONV_VERSION + "\n";
}
