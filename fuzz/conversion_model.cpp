#include "conversion_model.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>

#include "known_linetypes.h"
#include "messages.h"

namespace {

constexpr std::size_t kMaxLineBytes = 97;
constexpr std::size_t kLongestName = 4096;
constexpr int kLastLayerSlot = 257;
constexpr std::string_view kBinarySentinel{"AutoCAD Binary DXF\r\n\x1A\0", 22};
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Where a line stands in the structure, and the states the scans pass.
enum Section {
    SectionOpened = 0,
    InTables = 1,
    InEntities = 2,
    InBlocks = 3,
    OutsideSection = 10,
    InTable = 11,
    InLtypeTable = 12,
    InLtypeEntry = 13,
    InLayerTable = 14,
    InLayerEntry = 15,
    InBlock = 21,
};
enum Scan {
    CaptureEntry = 0,
    CaptureCode = 1,
    CaptureValue = 2,
    CaptureClosed = 3,
    EntitiesOpened = 10,
    EntityValue = 11,
    EntityCode = 12,
    BlockValue = 21,
    BlockCode = 22,
};

struct Keyword {
    std::string_view code;
    std::string_view text;
    bool (*validIn)(int section);
};

const Keyword kKeywords[] = {
    {"0", "SECTION", [](int s) { return s == OutsideSection; }},
    {"0", "ENDSEC", [](int s) { return s < 10; }},
    {"2", "ENTITIES", [](int s) { return s == SectionOpened; }},
    {"2", "BLOCKS", [](int s) { return s == SectionOpened; }},
    {"0", "BLOCK", [](int s) { return s == InBlocks; }},
    {"0", "ENDBLK", [](int s) { return s == InBlock; }},
    {"2", "TABLES", [](int s) { return s == SectionOpened; }},
    {"0", "TABLE", [](int s) { return s == InTables; }},
    {"0", "ENDTAB", [](int s) { return s > 10 && s < 20; }},
    {"2", "LTYPE", [](int s) { return s == InTable; }},
    {"0", "LTYPE", [](int s) { return s == InLtypeTable || s == InLtypeEntry; }},
    {"2", "LAYER", [](int s) { return s == InTable; }},
    {"0", "LAYER", [](int s) { return s == InLayerTable || s == InLayerEntry; }},
};

std::string WithoutSpaces(std::string_view line) {
    std::string text;
    for (const char c : line) {
        if (c != ' ') text += c;
    }
    return text;
}

// ASCII letters in upper case, but not the byte after a Shift-JIS lead byte.
std::string Folded(std::string_view name) {
    std::string folded(name);
    for (std::size_t at = 0; at < folded.size(); ++at) {
        const auto byte = static_cast<unsigned char>(folded[at]);
        if ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC)) {
            ++at;
        } else if (byte >= 'a' && byte <= 'z') {
            folded[at] = static_cast<char>(byte - 32);
        }
    }
    return folded;
}

// A modern-mode name: the line without the spaces at its ends; false when
// that is longer than a name is kept.
bool NameOf(std::string_view line, std::string& name) {
    const std::size_t first = line.find_first_not_of(' ');
    name = first == std::string_view::npos
               ? std::string()
               : std::string(line.substr(first, line.find_last_not_of(' ') - first + 1));
    return name.size() <= kLongestName;
}

// One record being scanned, in ENTITIES or in a block.
struct Record {
    bool hasLinetype = false;
    bool hasLineweight = false;
    int layer = -1;  // the layer's slot or entry, -1 for none
    int markers = 0;
};

class Model {
public:
    Model(std::string_view source, bool modern) : modern_(modern) {
        for (const char* name : kKnownLinetypes) linetypeNames_.insert(name);
        run_.calls.push_back("begin");
        if (modern && source.starts_with(kUtf8Mark)) {
            run_.output += kUtf8Mark;
            source.remove_prefix(kUtf8Mark.size());
        }
        lines_ = SourceLines(source);
    }

    ModelRun Run() {
        for (std::size_t n = 0; n < lines_.size(); ++n) {
            const std::string_view line = lines_[n];
            if (!modern_ && line.size() > kMaxLineBytes) return Stop(messages::kLineTooLong);
            line_ = line;
            current_ = WithoutSpaces(line);
            if (const Keyword* misplaced = Validate()) {
                return Stop(std::to_string(n + 1) + std::string(messages::kStructureErrorBefore) +
                            std::string(misplaced->text) +
                            std::string(messages::kStructureErrorAfter));
            }
            Capture();
            if (section_ == InEntities) ScanEntity();
            if (section_ == InBlock) ScanBlock();
            ReplaceLtypeTable();
            previous_ = current_;
            Write(line);
            ++run_.linesWritten;
        }
        return Stop(messages::kFinished);
    }

private:
    ModelRun Stop(std::string_view message) {
        run_.calls.push_back("end");
        run_.calls.push_back("message:" + std::string(message));
        if (message != messages::kFinished) run_.outcome = RunOutcome::Stopped;
        return run_;
    }

    void Write(std::string_view line) {
        run_.output += line;
        run_.output += "\r\n";
    }

    bool After(std::string_view code) const { return previous_ == code; }

    // The keyword misplaced on this line, or null; a placed one moves on.
    const Keyword* Validate() {
        for (const Keyword& keyword : kKeywords) {
            if (!After(keyword.code) || current_ != keyword.text) continue;
            if (!keyword.validIn(section_)) return &keyword;
            Move(keyword);
            return nullptr;
        }
        return nullptr;
    }

    void Move(const Keyword& keyword) {
        const std::string_view text = keyword.text;
        if (text == "SECTION") section_ = SectionOpened;
        if (text == "ENDSEC") section_ = OutsideSection;
        if (text == "ENTITIES") section_ = InEntities, scan_ = EntitiesOpened;
        if (text == "BLOCKS" || text == "ENDBLK") section_ = InBlocks;
        if (text == "BLOCK") {
            section_ = InBlock;
            scan_ = BlockValue;
            block_ = Record{};
            blockHeader_ = true;
            layout_ = false;
        }
        if (text == "TABLES" || text == "ENDTAB") section_ = InTables;
        if (text == "TABLE") section_ = InTable;
        if (text == "LTYPE") section_ = keyword.code == "2" ? InLtypeTable : InLtypeEntry;
        if (text == "LAYER" && keyword.code == "2") section_ = InLayerTable;
        if (text == "LAYER" && keyword.code == "0") {
            if (section_ == InLayerTable) ++layerIndex_;
            section_ = InLayerEntry;
        }
    }

    // Layer capture, and in modern mode the names of the LTYPE entries. Both
    // count group parity from the entry's first line.
    void Capture() {
        if (scan_ >= CaptureClosed) return;
        if (modern_ && section_ == InLtypeEntry) {
            if (current_ == "LTYPE" && After("0")) {
                ltypeScan_ = CaptureEntry;
                return;
            }
            ltypeScan_ = ltypeScan_ == CaptureCode ? CaptureValue : CaptureCode;
            std::string name;
            if (ltypeScan_ == CaptureValue && After("2") && NameOf(line_, name)) {
                const std::string folded = Folded(name);
                if (!name.empty() && folded != "BYLAYER" && folded != "BYBLOCK") {
                    linetypeNames_.insert(folded);
                }
            }
            return;
        }
        if (!modern_ && layerIndex_ > 256) {
            run_.calls.push_back("message:" + std::string(messages::kLayerLimit));
            scan_ = CaptureClosed;
            return;
        }
        const bool inEntry = section_ == InLayerEntry;
        if (current_ != "LAYER" && inEntry) {
            scan_ = scan_ == CaptureCode ? CaptureValue : CaptureCode;
        } else if (current_ == "LAYER" && After("0") && inEntry) {
            scan_ = CaptureEntry;
            ++layerIndex_;
        }
        if (!inEntry || scan_ != CaptureValue) return;
        const auto slot = static_cast<std::size_t>(layerIndex_);
        if (modern_) {
            std::string name;
            if (!NameOf(line_, name)) return;
            if (slot >= entryLinetypes_.size()) entryLinetypes_.resize(slot + 1);
            if (slot >= entryLineweights_.size()) entryLineweights_.resize(slot + 1);
            if (After("2")) entries_.emplace(Folded(name), static_cast<int>(slot));
            if (After("6")) entryLinetypes_[slot] = name;
            if (After("370")) entryLineweights_[slot] = name;
            return;
        }
        if (After("2")) slots_[slot].name = current_;
        if (After("6") && std::count(kKnownLinetypes.begin(), kKnownLinetypes.end(), current_)) {
            slots_[slot].linetype = current_;
        }
    }

    // The layer a group-8 value names, or -1.
    int LayerNamed() const {
        if (modern_) {
            std::string name;
            if (!NameOf(line_, name)) return -1;
            const auto entry = entries_.find(Folded(name));
            return entry == entries_.end() ? -1 : entry->second;
        }
        for (int slot = 0; slot <= std::min(layerIndex_, kLastLayerSlot); ++slot) {
            if (slots_[static_cast<std::size_t>(slot)].name == current_) return slot;
        }
        return -1;
    }

    void NoteValue(Record& record) {
        if (After("8")) {
            if (const int layer = LayerNamed(); layer >= 0) record.layer = layer;
        } else if (After("6")) {
            record.hasLinetype = true;
        } else if (modern_ && After("370")) {
            record.hasLineweight = true;
        }
    }

    // An entity on layer 0 in a block takes the layer of each insert of the
    // block; the layouts are not inserted, their headers count as inserted.
    bool LeftToInserts(int layer) const {
        const auto zero = entries_.find("0");
        return section_ == InBlock && (!layout_ || blockHeader_) && zero != entries_.end() &&
               zero->second == layer;
    }

    // The linetype a record on that layer gets, or "".
    std::string LinetypeOf(int layer) const {
        if (!modern_) return slots_[static_cast<std::size_t>(layer)].linetype;
        if (LeftToInserts(layer)) return "";
        const std::string& linetype = entryLinetypes_[static_cast<std::size_t>(layer)];
        const std::string folded = Folded(linetype);
        const bool known =
            linetypeNames_.count(folded) != 0 && folded != "BYLAYER" && folded != "BYBLOCK";
        return known ? linetype : "";
    }

    // The lineweight a modern-mode record on that layer gets: the entry's
    // when it is a whole number of 0 or more in plain digits, else "".
    std::string LineweightOf(int layer) const {
        if (!modern_ || LeftToInserts(layer)) return "";
        const std::string& lineweight = entryLineweights_[static_cast<std::size_t>(layer)];
        const bool width =
            !lineweight.empty() && lineweight.find_first_not_of("0123456789") == std::string::npos;
        return width ? lineweight : "";
    }

    // Writes the groups the record needs before the current line, the
    // linetype first; each one written counts as the record's own.
    void WriteGroups(Record& record) {
        if (record.layer < 0) return;
        if (const std::string linetype = LinetypeOf(record.layer);
            !record.hasLinetype && !linetype.empty()) {
            Write("  6");
            Write(linetype);
            record.hasLinetype = true;
        }
        if (const std::string lineweight = LineweightOf(record.layer);
            !record.hasLineweight && !lineweight.empty()) {
            Write("370");
            Write(lineweight);
            record.hasLineweight = true;
        }
    }

    // A code line other than "0": extended data ends the place for the
    // groups, and in modern mode so does the second subclass marker.
    void NoteCode(Record& record) {
        if (current_ == "1001") {
            WriteGroups(record);
            record.hasLinetype = true;
            record.hasLineweight = true;
        }
        if (modern_ && current_ == "100" && ++record.markers == 2) WriteGroups(record);
    }

    void ScanEntity() {
        const bool codeZero = current_ == "0";
        if (codeZero && scan_ == EntitiesOpened) {
            scan_ = EntityValue;
            entity_ = Record{};
        } else if (scan_ == EntityValue) {
            scan_ = EntityCode;
            NoteValue(entity_);
        } else if (!codeZero && scan_ == EntityCode) {
            scan_ = EntityValue;
            NoteCode(entity_);
        } else if (codeZero && scan_ == EntityCode) {
            WriteGroups(entity_);
            scan_ = EntityValue;
            entity_ = Record{};
        }
    }

    void ScanBlock() {
        if (scan_ == BlockCode) {
            if (current_ == "0") {
                WriteGroups(block_);
                block_ = Record{};
                blockHeader_ = false;
            } else {
                NoteCode(block_);
            }
            scan_ = BlockValue;
        } else if (scan_ == BlockValue) {
            scan_ = BlockCode;
            NoteValue(block_);
            std::string name;
            if (modern_ && blockHeader_ && After("2") && NameOf(line_, name)) {
                const std::string folded = Folded(name);
                layout_ = folded == "*MODEL_SPACE" || folded.starts_with("*PAPER_SPACE");
            }
        }
    }

    void ReplaceLtypeTable() {
        if (modern_ || section_ != InLtypeTable || current_ != "0" || !After("6")) return;
        for (std::size_t i = 0; i < 6; ++i) {
            for (const std::string_view line : {"  0", "LTYPE", "  2", kKnownLinetypes[i]}) {
                Write(line);
            }
        }
        Write("  0");
        Write("ENDTAB");
        section_ = InTables;
    }

    struct Slot {
        std::string name;
        std::string linetype;
    };

    const bool modern_;
    ModelRun run_;
    std::vector<std::string_view> lines_;
    std::string_view line_;
    std::string current_;
    std::string previous_;
    int section_ = OutsideSection;
    int scan_ = CaptureEntry;
    int ltypeScan_ = CaptureEntry;
    int layerIndex_ = -1;
    std::array<Slot, kLastLayerSlot + 1> slots_;  // the default mode's layers
    std::map<std::string, int> entries_;          // modern mode: folded name to entry
    std::vector<std::string> entryLinetypes_;
    std::vector<std::string> entryLineweights_;
    std::set<std::string> linetypeNames_;  // modern mode: folded
    Record entity_;
    Record block_;
    bool blockHeader_ = false;
    bool layout_ = false;
};

}  // namespace

std::vector<std::string_view> SourceLines(std::string_view source) {
    source = source.substr(0, source.find('\x1A'));
    std::vector<std::string_view> lines;
    while (!source.empty()) {
        const std::size_t lf = source.find('\n');
        std::string_view line = source.substr(0, lf);
        if (lf != std::string_view::npos && line.ends_with('\r')) line.remove_suffix(1);
        lines.push_back(line);
        source = lf == std::string_view::npos ? std::string_view{} : source.substr(lf + 1);
    }
    return lines;
}

ModelRun ModelConversion(std::string_view source, bool modern) {
    std::string_view refusal;
    if (source.starts_with(kBinarySentinel)) {
        refusal = messages::kBinarySource;
    } else if (source.starts_with("\xFF\xFE") || source.starts_with("\xFE\xFF")) {
        refusal = messages::kUtf16Source;
    }
    if (!refusal.empty()) {
        ModelRun run;
        run.outcome = RunOutcome::NotStarted;
        run.calls.push_back("message:" + std::string(refusal));
        return run;
    }
    return Model(source, modern).Run();
}
