#include "dxf_generator.h"

#include <array>
#include <stdexcept>
#include <vector>

#include "split_mix64.h"

namespace {

constexpr std::array<std::string_view, 8> kKnownLinetypes = {
    "CONTINUOUS", "HIDDEN", "PHANTOM", "CENTER", "DASHED", "DOT", "DASHDOT", "DIVIDE",
};
// Defined in the drawing, but not carried into entities by the converter
// (the last one differs from DASHED only in case).
constexpr std::array<std::string_view, 4> kOtherLinetypes = {"BORDER", "ZIGZAG", "HIDDEN2",
                                                             "dashed"};

// Values that the converter takes as structure after a group 0 or 2.
constexpr std::array<std::string_view, 11> kStructuralKeywords = {
    "SECTION", "ENDSEC", "TABLES",   "TABLE", "ENDTAB", "BLOCKS",
    "BLOCK",   "ENDBLK", "ENTITIES", "LTYPE", "LAYER",
};

constexpr std::array<std::string_view, 12> kLayerStems = {
    "WALL", "DIM", "TXT", "GRID", "PIPE", "ROAD", "TREE", "BLDG", "PNT", "CONT", "FENCE", "LOT",
};

constexpr std::array<std::string_view, 4> kBlockNames = {"MH", "TREE", "POLE", "BM"};

// Shift-JIS (code page 932) bytes, as the drawings' home platform writes
// them; 表 and 点 end in 0x5C and 0x5F, bytes a naive reader mistakes.
constexpr std::array<std::string_view, 12> kTexts = {
    "\x90\x7D\x96\xCA",          // 図面
    "\x95\xBD\x96\xCA\x90\x7D",  // 平面図
    "\x92\x66\x96\xCA\x90\x7D",  // 断面図
    "\x90\xA1\x96\x40",          // 寸法
    "\x92\xCA\x82\xE8\x90\x63",  // 通り芯
    "\x8E\x64\x8F\xE3\x95\x5C",  // 仕上表
    "\x94\x7A\x92\x75\x90\x7D",  // 配置図
    "\xC3\xDE\xB0\xC0",          // ﾃﾞｰﾀ (half-width)
    "\x8A\xEE\x8F\x80\x93\x5F",  // 基準点
    "\x93\xB9\x98\x48",          // 道路
    "No.12",
    "A-1",
};

constexpr std::size_t kMaxLineBytes = 97;
constexpr std::size_t kFlushBytes = 256 * 1024;
// "  0", "ENDSEC", "  0", "EOF" with their line ends.
constexpr std::uint64_t kTailBytes = 24;

bool IsStructuralKeyword(std::string_view value) {
    for (const std::string_view keyword : kStructuralKeywords) {
        if (value == keyword) return true;
    }
    return false;
}

// Writes lines into a large buffer and hands it on when full; counts what
// it wrote.
class LineWriter {
public:
    LineWriter(bool crlf, const std::function<void(std::string_view)>& out)
        : eol_(crlf ? "\r\n" : "\n"), out_(out) {
        buffer_.reserve(kFlushBytes + 256);
    }

    // A group whose value is data, never structure.
    void Group(int code, std::string_view value) {
        if ((code == 0 || code == 2) && IsStructuralKeyword(value)) {
            throw std::logic_error("generated value is a structural keyword: " +
                                   std::string(value));
        }
        Code(code);
        Line(value);
    }

    // A group that opens or closes a section, table, block or entry.
    void Keyword(int code, std::string_view keyword) {
        Code(code);
        Line(keyword);
    }

    // Integers are right-aligned in six columns, as R12 writes them.
    void IntGroup(int code, unsigned value) {
        char text[6];
        int i = 6;
        do {
            text[--i] = static_cast<char>('0' + value % 10);
            value /= 10;
        } while (value != 0 && i > 0);
        while (i > 0) text[--i] = ' ';
        Code(code);
        Line(std::string_view(text, 6));
    }

    // A real number with one or two decimals: whole.frac.
    void RealGroup(int code, unsigned whole, unsigned frac, int digits) {
        char text[16];
        char* end = text + sizeof text;
        char* p = end;
        for (int d = 0; d < digits; ++d) {
            *--p = static_cast<char>('0' + frac % 10);
            frac /= 10;
        }
        *--p = '.';
        do {
            *--p = static_cast<char>('0' + whole % 10);
            whole /= 10;
        } while (whole != 0);
        Code(code);
        Line(std::string_view(p, static_cast<std::size_t>(end - p)));
    }

    void Finish() {
        if (!buffer_.empty()) out_(buffer_);
        buffer_.clear();
    }

    std::uint64_t bytes() const { return bytes_; }
    std::uint64_t lines() const { return lines_; }

private:
    // Group codes are right-aligned in three columns.
    void Code(int code) {
        char text[3] = {' ', ' ', ' '};
        int i = 3;
        do {
            text[--i] = static_cast<char>('0' + code % 10);
            code /= 10;
        } while (code != 0 && i > 0);
        Line(std::string_view(text, 3));
    }

    void Line(std::string_view text) {
        if (text.size() > kMaxLineBytes) {
            throw std::logic_error("generated line longer than 97 bytes: " + std::string(text));
        }
        buffer_.append(text);
        buffer_.append(eol_);
        bytes_ += text.size() + eol_.size();
        ++lines_;
        if (buffer_.size() >= kFlushBytes) {
            out_(buffer_);
            buffer_.clear();
        }
    }

    std::string_view eol_;
    const std::function<void(std::string_view)>& out_;
    std::string buffer_;
    std::uint64_t bytes_ = 0;
    std::uint64_t lines_ = 0;
};

struct Layer {
    std::string name;
    std::string_view linetype;  // empty: the entry has no group 6
    bool known = false;         // the converter carries its linetype
};

class DrawingGenerator {
public:
    DrawingGenerator(const DxfGeneratorOptions& options,
                     const std::function<void(std::string_view)>& out)
        : options_(options), rng_(options.seed), w_(options.crlf, out) {
        for (int i = 0; i < options.layers; ++i) layers_.push_back(MakeLayer(i));
    }

    DxfGeneratorSummary Generate() {
        Header();
        Tables();
        Blocks();
        Entities();
        w_.Keyword(0, "EOF");
        w_.Finish();
        summary_.bytes = w_.bytes();
        summary_.lines = w_.lines();
        return summary_;
    }

private:
    Layer MakeLayer(int index) {
        Layer layer{GeneratedLayerName(index), {}, false};
        const std::uint32_t kind = index == 0 ? 0 : rng_.Below(10);
        if (index == 0) {
            layer.linetype = kKnownLinetypes[0];
        } else if (kind < 6) {
            layer.linetype = kKnownLinetypes[rng_.Below(kKnownLinetypes.size())];
        } else if (kind < 8) {
            layer.linetype = kOtherLinetypes[rng_.Below(kOtherLinetypes.size())];
        }
        layer.known = kind < 6;
        return layer;
    }

    void Header() {
        w_.Keyword(0, "SECTION");
        w_.Group(2, "HEADER");
        w_.Group(9, "$ACADVER");
        w_.Group(1, "AC1009");
        w_.Group(9, "$DWGCODEPAGE");
        w_.Group(3, "ANSI_932");
        w_.Group(9, "$INSBASE");
        Point(0, 0, 0);
        w_.Group(9, "$EXTMIN");
        Point(0, 0, 0);
        w_.Group(9, "$EXTMAX");
        Point(1000, 1000, 0);
        w_.Group(9, "$LTSCALE");
        w_.RealGroup(40, 1, 0, 1);
        w_.Keyword(0, "ENDSEC");
    }

    void Tables() {
        w_.Keyword(0, "SECTION");
        w_.Keyword(2, "TABLES");
        LtypeTable();
        LayerTable();
        StyleTable();
        w_.Keyword(0, "ENDSEC");
    }

    // The header's entry count is 12, never the 6 that makes the converter
    // write its own table.
    void LtypeTable() {
        w_.Keyword(0, "TABLE");
        w_.Keyword(2, "LTYPE");
        w_.IntGroup(70, kKnownLinetypes.size() + kOtherLinetypes.size());
        for (const std::string_view name : kKnownLinetypes) LtypeEntry(name);
        for (const std::string_view name : kOtherLinetypes) LtypeEntry(name);
        w_.Keyword(0, "ENDTAB");
    }

    void LtypeEntry(std::string_view name) {
        const bool solid = name == kKnownLinetypes[0];
        w_.Keyword(0, "LTYPE");
        w_.Group(2, name);
        w_.IntGroup(70, 64);
        w_.Group(3, solid ? "Solid line" : "__ __ __");
        w_.IntGroup(72, 65);
        w_.IntGroup(73, solid ? 0 : 2);
        w_.RealGroup(40, 0, solid ? 0 : 75, solid ? 1 : 2);
        if (solid) return;
        w_.RealGroup(49, 0, 5, 1);
        w_.RealGroup(49, 0, 25, 2);
    }

    void LayerTable() {
        w_.Keyword(0, "TABLE");
        w_.Keyword(2, "LAYER");
        w_.IntGroup(70, layers_.size());
        for (const Layer& layer : layers_) {
            w_.Keyword(0, "LAYER");
            w_.Group(2, layer.name);
            w_.IntGroup(70, 0);
            w_.IntGroup(62, 1 + rng_.Below(255));
            if (!layer.linetype.empty()) w_.Group(6, layer.linetype);
        }
        w_.Keyword(0, "ENDTAB");
    }

    void StyleTable() {
        w_.Keyword(0, "TABLE");
        w_.Group(2, "STYLE");
        w_.IntGroup(70, 1);
        w_.Group(0, "STYLE");
        w_.Group(2, "STANDARD");
        w_.IntGroup(70, 0);
        w_.RealGroup(40, 0, 0, 1);
        w_.RealGroup(41, 1, 0, 1);
        w_.RealGroup(50, 0, 0, 1);
        w_.IntGroup(71, 0);
        w_.RealGroup(42, 2, 5, 1);
        w_.Group(3, "txt");
        w_.Group(4, "bigfont");
        w_.Keyword(0, "ENDTAB");
    }

    void Blocks() {
        w_.Keyword(0, "SECTION");
        w_.Keyword(2, "BLOCKS");
        for (const std::string_view name : kBlockNames) {
            // The block's own header record is scanned like an entity.
            w_.Keyword(0, "BLOCK");
            CountRecord(0, false);
            w_.Group(8, layers_[0].name);
            w_.Group(2, name);
            w_.IntGroup(70, 0);
            Point(0, 0, 0);
            w_.Group(3, name);
            const std::uint32_t count = 3 + rng_.Below(4);
            for (std::uint32_t i = 0; i < count; ++i) {
                switch (rng_.Below(3)) {
                    case 0:
                        Line();
                        break;
                    case 1:
                        Circle();
                        break;
                    default:
                        Arc();
                        break;
                }
            }
            w_.Keyword(0, "ENDBLK");
            w_.Group(8, layers_[0].name);
        }
        w_.Keyword(0, "ENDSEC");
    }

    void Entities() {
        w_.Keyword(0, "SECTION");
        w_.Keyword(2, "ENTITIES");
        const std::uint64_t stop =
            options_.targetBytes > kTailBytes ? options_.targetBytes - kTailBytes : 0;
        while (w_.bytes() < stop) {
            const std::uint32_t pick = rng_.Below(100);
            if (pick < 40) {
                Line();
            } else if (pick < 52) {
                Circle();
            } else if (pick < 64) {
                Arc();
            } else if (pick < 76) {
                Text();
            } else if (pick < 88) {
                Polyline();
            } else {
                Insert();
            }
        }
        w_.Keyword(0, "ENDSEC");
    }

    // The record's type, layer and, for about 30 % of records, a linetype of
    // its own; the converter gives the others their layer's linetype.
    void Record(std::string_view type) {
        w_.Group(0, type);
        const int layer = static_cast<int>(rng_.Below(layers_.size()));
        w_.Group(8, layers_[static_cast<std::size_t>(layer)].name);
        const bool own = rng_.Percent(30);
        if (own) w_.Group(6, OwnLinetype());
        CountRecord(layer, own);
    }

    void CountRecord(int layer, bool ownLinetype) {
        ++summary_.records;
        if (ownLinetype) {
            ++summary_.recordsWithLinetype;
            return;
        }
        const Layer& l = layers_[static_cast<std::size_t>(layer)];
        if (!l.known) return;
        ++summary_.injectedGroups;
        summary_.injectedBytes += 5 + l.linetype.size() + 2;  // "  6", the name, CR LF each
    }

    std::string_view OwnLinetype() {
        const std::uint32_t kind = rng_.Below(10);
        if (kind < 4) return "BYLAYER";
        if (kind < 9) return kKnownLinetypes[rng_.Below(kKnownLinetypes.size())];
        return kOtherLinetypes[rng_.Below(kOtherLinetypes.size())];
    }

    void Line() {
        Record("LINE");
        Coordinates(10);
        Coordinates(11);
    }

    void Circle() {
        Record("CIRCLE");
        Coordinates(10);
        w_.RealGroup(40, 1 + rng_.Below(50), rng_.Below(10), 1);
    }

    void Arc() {
        Record("ARC");
        Coordinates(10);
        w_.RealGroup(40, 1 + rng_.Below(50), rng_.Below(10), 1);
        w_.RealGroup(50, rng_.Below(360), 0, 1);
        w_.RealGroup(51, rng_.Below(360), 0, 1);
    }

    void Text() {
        Record("TEXT");
        Coordinates(10);
        w_.RealGroup(40, 2 + rng_.Below(2), 5, 1);
        w_.Group(1, kTexts[rng_.Below(kTexts.size())]);
        if (rng_.Percent(20)) w_.RealGroup(50, rng_.Below(360), 0, 1);
    }

    void Polyline() {
        Record("POLYLINE");
        w_.IntGroup(66, 1);
        Point(0, 0, 0);
        w_.IntGroup(70, rng_.Below(2));
        const std::uint32_t vertices = 2 + rng_.Below(11);
        for (std::uint32_t i = 0; i < vertices; ++i) {
            Record("VERTEX");
            Coordinates(10);
        }
        Record("SEQEND");
    }

    void Insert() {
        Record("INSERT");
        w_.Group(2, kBlockNames[rng_.Below(kBlockNames.size())]);
        Coordinates(10);
        if (rng_.Percent(30)) {
            w_.RealGroup(41, 1 + rng_.Below(3), 0, 1);
            w_.RealGroup(42, 1 + rng_.Below(3), 0, 1);
            w_.RealGroup(50, rng_.Below(360), 0, 1);
        }
    }

    // x, y and a zero z, with group codes code, code + 10 and code + 20.
    void Coordinates(int code) {
        for (int axis = 0; axis < 2; ++axis) {
            const int digits = 1 + static_cast<int>(rng_.Below(2));
            w_.RealGroup(code + 10 * axis, rng_.Below(1000), rng_.Below(digits == 1 ? 10 : 100),
                         digits);
        }
        w_.RealGroup(code + 20, 0, 0, 1);
    }

    void Point(unsigned x, unsigned y, unsigned z) {
        w_.RealGroup(10, x, 0, 1);
        w_.RealGroup(20, y, 0, 1);
        w_.RealGroup(30, z, 0, 1);
    }

    const DxfGeneratorOptions& options_;
    SplitMix64 rng_;
    LineWriter w_;
    std::vector<Layer> layers_;
    DxfGeneratorSummary summary_;
};

}  // namespace

std::string GeneratedLayerName(int index) {
    if (index == 0) return "0";
    const std::size_t stem = static_cast<std::size_t>(index - 1) % kLayerStems.size();
    const int round = (index - 1) / static_cast<int>(kLayerStems.size());
    std::string name(kLayerStems[stem]);
    if (round > 0) name += std::to_string(round + 1);
    return name;
}

DxfGeneratorSummary GenerateDxf(const DxfGeneratorOptions& options,
                                const std::function<void(std::string_view)>& out) {
    if (options.layers < 1 || options.layers > kMaxGeneratedLayers) {
        throw std::invalid_argument("the number of layers must be 1 to " +
                                    std::to_string(kMaxGeneratedLayers));
    }
    return DrawingGenerator(options, out).Generate();
}
