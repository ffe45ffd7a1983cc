#include "structure_validator.h"

#include <bit>
#include <cstdint>
#include <string>

#include "messages.h"

namespace {

using namespace SectionState;

// Every keyword has five to eight bytes: a line is compared with each as
// one word, as LineWord reads it.
constexpr std::uint32_t kShortestKeyword = 5;
constexpr std::uint32_t kLongestKeyword = 8;

constexpr std::uint64_t KeywordWord(std::string_view keyword) {
    std::uint64_t word = 0;
    for (std::size_t at = 0; at < keyword.size(); ++at) {
        const auto byte = static_cast<std::uint64_t>(static_cast<unsigned char>(keyword[at]));
        word |=
            std::endian::native == std::endian::little ? byte << (8 * at) : byte << (56 - 8 * at);
    }
    return word;
}

// A keyword line together with the group code on the line before it, the
// states in which it may stand, and the move it makes there.
struct KeywordCheck {
    constexpr KeywordCheck(char code, std::string_view text, bool (*valid)(int),
                           void (*move)(ConversionState&))
        : groupCode(code), keyword(text), word(KeywordWord(text)), validIn(valid), apply(move) {}

    char groupCode;
    std::string_view keyword;
    std::uint64_t word;
    bool (*validIn)(int sectionState);
    void (*apply)(ConversionState& state);
};

constexpr KeywordCheck kChecks[] = {
    {'0', "SECTION", [](int s) { return s == OutsideSection; },
     [](ConversionState& st) { st.sectionState = SectionOpened; }},
    {'0', "ENDSEC", [](int s) { return s < 10; },
     [](ConversionState& st) { st.sectionState = OutsideSection; }},
    {'2', "ENTITIES", [](int s) { return s == SectionOpened; },
     [](ConversionState& st) {
         st.sectionState = InEntities;
         st.scanState = ScanState::EntitiesOpened;
     }},
    {'2', "BLOCKS", [](int s) { return s == SectionOpened; },
     [](ConversionState& st) { st.sectionState = InBlocks; }},
    {'0', "BLOCK", [](int s) { return s == InBlocks; },
     [](ConversionState& st) {
         st.sectionState = InBlock;
         st.scanState = ScanState::BlockValueLine;
         st.blockHasLinetype = 0;
         st.blockLayerIndex = kNoLayer;
         st.blockSubclassMarkers = 0;
         st.blockHasLineweight = 0;
         st.inBlockHeader = true;
         st.blockIsLayout = false;
     }},
    {'0', "ENDBLK", [](int s) { return s == InBlock; },
     [](ConversionState& st) { st.sectionState = InBlocks; }},
    {'2', "TABLES", [](int s) { return s == SectionOpened; },
     [](ConversionState& st) { st.sectionState = InTables; }},
    {'0', "TABLE", [](int s) { return s == InTables; },
     [](ConversionState& st) { st.sectionState = InTable; }},
    {'0', "ENDTAB", [](int s) { return s > 10 && s < 20; },
     [](ConversionState& st) { st.sectionState = InTables; }},
    {'2', "LTYPE", [](int s) { return s == InTable; },
     [](ConversionState& st) { st.sectionState = InLtypeTable; }},
    {'0', "LTYPE", [](int s) { return s == InLtypeTable || s == InLtypeEntry; },
     [](ConversionState& st) { st.sectionState = InLtypeEntry; }},
    {'2', "LAYER", [](int s) { return s == InTable; },
     [](ConversionState& st) { st.sectionState = InLayerTable; }},
    {'0', "LAYER", [](int s) { return s == InLayerTable || s == InLayerEntry; },
     [](ConversionState& st) {
         if (st.sectionState == InLayerTable) ++st.layerIndex;
         st.sectionState = InLayerEntry;
     }},
};

// Lines of five to eight bytes after a code 0 or 2 are mostly entity
// names: a bit for each of 64 hash values that some keyword has sends nearly
// all of them on with one test.
constexpr int KeywordHash(std::uint64_t word) {
    return static_cast<int>((word * 0x9E3779B97F4A7C15u) >> 58);
}
constexpr std::uint64_t kKeywordHashes = [] {
    std::uint64_t bits = 0;
    for (const KeywordCheck& check : kChecks) bits |= std::uint64_t{1} << KeywordHash(check.word);
    return bits;
}();

}  // namespace

bool ValidateStructure(ConversionState& state, const KnownLinetypes&, MessageSink& sink) {
    const LineText& code = state.previousLine;
    const LineText& line = state.currentLine;
    if (state.facts.sourceComplete) [[unlikely]]
        state.facts.sourceComplete = line.size == 0;
    if (code.size != 1 || (code.bytes[0] != '0' && code.bytes[0] != '2')) return true;
    if (line.size < kShortestKeyword || line.size > kLongestKeyword) {
        if (code.bytes[0] == '0' && Is(line, "EOF")) state.facts.sourceComplete = true;
        return true;
    }

    const std::uint64_t word = LineWord(line, 0);
    if ((kKeywordHashes >> KeywordHash(word) & 1) == 0) return true;
    for (const KeywordCheck& check : kChecks) {
        if (code.bytes[0] != check.groupCode || line.size != check.keyword.size() ||
            word != check.word) {
            continue;
        }
        if (!check.validIn(state.sectionState)) {
            std::string message = state.lineNumberText();
            message += messages::kStructureErrorBefore;
            message += line.view();
            message += messages::kStructureErrorAfter;
            AbortRun(state, sink, message);
            return false;
        }
        check.apply(state);
        return true;
    }
    return true;
}
