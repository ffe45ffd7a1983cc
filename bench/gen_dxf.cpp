#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>

#include "dxf_generator.h"

namespace {

constexpr const char* kUsage =
    "usage: gen_dxf [--size BYTES[K|M|G]] [--crlf|--lf] [--layers N] [--seed S] OUTPUT\n"
    "Writes a deterministic R12 drawing of about BYTES bytes (default 1M, CR LF line\n"
    "ends, 50 layers, seed 1) and prints what it wrote and what a conversion adds.\n";

int UsageError(const std::string& text) {
    std::fprintf(stderr, "gen_dxf: %s\n%s", text.c_str(), kUsage);
    return 2;
}

// A count with an optional binary suffix: 64M is 64 MiB.
bool ParseCount(std::string_view text, std::uint64_t& value) {
    if (text.empty()) return false;
    std::uint64_t scale = 1;
    switch (text.back()) {
        case 'K':
            scale = 1ULL << 10;
            break;
        case 'M':
            scale = 1ULL << 20;
            break;
        case 'G':
            scale = 1ULL << 30;
            break;
        default:
            break;
    }
    if (scale != 1) text.remove_suffix(1);
    if (text.empty()) return false;
    std::uint64_t number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9' || number > (~0ULL - 9) / 10) return false;
        number = number * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (number > ~0ULL / scale) return false;
    value = number * scale;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    DxfGeneratorOptions options;
    std::string outputPath;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool hasValue = i + 1 < argc;
        std::uint64_t number = 0;
        if (arg == "--crlf") {
            options.crlf = true;
        } else if (arg == "--lf") {
            options.crlf = false;
        } else if (arg == "--size" && hasValue) {
            if (!ParseCount(argv[++i], options.targetBytes)) return UsageError("bad size");
        } else if (arg == "--layers" && hasValue) {
            if (!ParseCount(argv[++i], number) || number < 1 || number > kMaxGeneratedLayers) {
                return UsageError("layers must be 1 to " + std::to_string(kMaxGeneratedLayers));
            }
            options.layers = static_cast<int>(number);
        } else if (arg == "--seed" && hasValue) {
            if (!ParseCount(argv[++i], options.seed)) return UsageError("bad seed");
        } else if (arg == "-h" || arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError("unknown or incomplete option " + std::string(arg));
        } else if (outputPath.empty()) {
            outputPath = arg;
        } else {
            return UsageError("more than one output path");
        }
    }
    if (outputPath.empty()) return UsageError("no output path");

    std::FILE* file = std::fopen(outputPath.c_str(), "wb");
    if (file == nullptr) {
        std::perror(outputPath.c_str());
        return 1;
    }
    bool writeFailed = false;
    DxfGeneratorSummary summary;
    try {
        summary = GenerateDxf(options, [&](std::string_view piece) {
            if (std::fwrite(piece.data(), 1, piece.size(), file) != piece.size())
                writeFailed = true;
        });
    } catch (const std::exception& e) {
        std::fclose(file);
        std::fprintf(stderr, "gen_dxf: %s\n", e.what());
        return 1;
    }
    if (std::fclose(file) != 0 || writeFailed) {
        std::perror(outputPath.c_str());
        return 1;
    }

    std::printf(
        "bytes=%llu\nlines=%llu\nrecords=%llu\nrecords_with_linetype=%llu\n"
        "injected_groups=%llu\ninjected_bytes=%llu\nexpected_output_bytes=%llu\n",
        static_cast<unsigned long long>(summary.bytes),
        static_cast<unsigned long long>(summary.lines),
        static_cast<unsigned long long>(summary.records),
        static_cast<unsigned long long>(summary.recordsWithLinetype),
        static_cast<unsigned long long>(summary.injectedGroups),
        static_cast<unsigned long long>(summary.injectedBytes),
        static_cast<unsigned long long>(summary.expectedOutputBytes(options.crlf)));
    return 0;
}
