#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "conversion_run.h"
#include "conversion_state.h"
#include "dxf_generator.h"
#include "known_linetypes.h"
#include "linetype_injection.h"
#include "memory_file_ops.h"
#include "messages.h"
#include "space_removal.h"
#include "split_mix64.h"
#include "structure_validator.h"

namespace {

constexpr std::uint64_t kDrawingBytes = 16 << 20;
constexpr int kDrawingLayers = 50;
constexpr const char* kOutputName = "stages_bench_out";

// The drawing every benchmark works on, generated once, with its lines as
// the reader hands them out and the ENTITIES section's lines as the stages
// compare them.
struct Drawing {
    std::string bytes;
    DxfGeneratorSummary summary;
    std::vector<std::string_view> lines;
    std::string entityText;
    std::vector<std::string_view> entityLines;
    std::string directory;
    std::string sourcePath;

    Drawing() {
        DxfGeneratorOptions options;
        options.targetBytes = kDrawingBytes;
        options.layers = kDrawingLayers;
        bytes.reserve(kDrawingBytes + 4096);
        summary = GenerateDxf(options, [this](std::string_view piece) { bytes.append(piece); });
        SplitLines();
        CollectEntityLines();
        WriteSource();
    }

    ~Drawing() {
        ::unlink(sourcePath.c_str());
        ::rmdir(directory.c_str());
    }

    std::string outputPath() const { return directory + "/" + kOutputName + kOutputExtension; }

private:
    void SplitLines() {
        std::size_t start = 0;
        for (std::size_t lf = bytes.find('\n'); lf != std::string::npos;
             lf = bytes.find('\n', start)) {
            std::size_t end = lf;
            if (end > start && bytes[end - 1] == '\r') --end;
            lines.emplace_back(bytes.data() + start, end - start);
            start = lf + 1;
        }
    }

    void CollectEntityLines() {
        std::vector<std::size_t> ends;
        bool inEntities = false;
        for (const std::string_view line : lines) {
            std::string stripped;
            for (const char c : line) {
                if (c != ' ') stripped += c;
            }
            if (stripped == "ENTITIES") {
                inEntities = true;
                continue;
            }
            if (!inEntities) continue;
            if (stripped == "ENDSEC") break;
            entityText += stripped;
            ends.push_back(entityText.size());
        }
        std::size_t start = 0;
        for (const std::size_t end : ends) {
            entityLines.emplace_back(entityText.data() + start, end - start);
            start = end;
        }
    }

    // The whole run needs a source that exists on disk, even when it reads
    // it from memory.
    void WriteSource() {
        char pattern[] = "/tmp/stages_bench.XXXXXX";
        if (::mkdtemp(pattern) == nullptr) std::abort();
        directory = pattern;
        sourcePath = directory + "/drawing.dxf";
        std::ofstream(sourcePath, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
};

const Drawing& TheDrawing() {
    static const Drawing drawing;
    return drawing;
}

class QuietSink : public MessageSink {
public:
    void ShowMessage(const std::string& text) override { last = text; }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}

    std::string last;
};

void BM_LineReader(benchmark::State& state) {
    const Drawing& drawing = TheDrawing();
    MemoryFileOps files(drawing.bytes);
    std::uint64_t lines = 0;
    QuietSink sink;
    for (auto _ : state) {
        LineReader reader;
        reader.Open(files.ops(), files.ops().openSource(""), sink);
        std::string_view line;
        LineReader::Status status;
        while ((status = reader.ReadLine(line)) == LineReader::Status::Line) {
            benchmark::DoNotOptimize(line.data());
            ++lines;
        }
        reader.Close();
        if (status != LineReader::Status::End) state.SkipWithError("reader did not reach the end");
    }
    if (lines != state.iterations() * drawing.summary.lines) state.SkipWithError("line count");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * drawing.bytes.size()));
    state.counters["lines"] =
        benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LineReader)->Unit(benchmark::kMillisecond);

// Every line of the drawing as read (the last one left out: it has no
// padding behind it).
void BM_RemoveSpaces(benchmark::State& state) {
    const Drawing& drawing = TheDrawing();
    LineText currentLine;
    for (auto _ : state) {
        for (std::size_t i = 0; i + 1 < drawing.lines.size(); ++i) {
            RemoveSpaces(drawing.lines[i], currentLine);
            benchmark::DoNotOptimize(currentLine.size);
        }
    }
    const auto lines = state.iterations() * (drawing.lines.size() - 1);
    state.counters["lines"] =
        benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RemoveSpaces)->Unit(benchmark::kMillisecond);

// Typical lines of the ENTITIES section: almost none is a keyword, and the
// group codes before them are mostly neither "0" nor "2".
void BM_ValidateStructure(benchmark::State& state) {
    const Drawing& drawing = TheDrawing();
    QuietSink sink;
    auto run = std::make_unique<ConversionState>();
    for (auto _ : state) {
        run->sectionState = SectionState::InEntities;
        for (const std::string_view line : drawing.entityLines) {
            run->currentLine.assign(line);
            if (!ValidateStructure(*run, kKnownLinetypes, sink)) {
                state.SkipWithError("structure error on a generated line");
                return;
            }
            run->previousLine = run->currentLine;
        }
    }
    const auto lines = state.iterations() * drawing.entityLines.size();
    state.counters["lines"] =
        benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ValidateStructure)->Unit(benchmark::kMillisecond);

// The table as a run leaves it: slot 0 empty, the layers in slots 1 to n,
// looked up by the names of group 8 values, a few of them not in the table.
void BM_FindLayerIndex(benchmark::State& state) {
    const int layerCount = static_cast<int>(state.range(0));
    auto run = std::make_unique<ConversionState>();
    for (int i = 0; i < layerCount; ++i) {
        LineText name;
        name.assign(GeneratedLayerName(i));
        run->layers.SetName(static_cast<std::size_t>(i + 1), name);
    }
    run->layerIndex = layerCount;

    SplitMix64 rng(7);
    std::vector<LineText> names(4096);
    for (LineText& name : names) {
        name.assign(rng.Percent(5) ? std::string("XREF")
                                   : GeneratedLayerName(static_cast<int>(rng.Below(layerCount))));
    }
    for (auto _ : state) {
        for (const LineText& name : names) {
            benchmark::DoNotOptimize(FindLayerIndex(run->layers, run->layerIndex, name));
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * names.size()));
}
BENCHMARK(BM_FindLayerIndex)->Arg(50)->Arg(256);

void BM_OutputWriter(benchmark::State& state) {
    const Drawing& drawing = TheDrawing();
    MemoryFileOps files(drawing.bytes);
    std::uint64_t written = 0;
    for (auto _ : state) {
        OutputWriter writer;
        writer.Open(files.ops(), files.ops().createOutput(""));
        for (const std::string_view line : drawing.lines) writer.WriteLine(line);
        if (!writer.Close()) state.SkipWithError("close failed");
        written += files.bytesWritten();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(written));
}
BENCHMARK(BM_OutputWriter)->Unit(benchmark::kMillisecond);

// The whole run with reading and writing in memory: the engine's own cost.
void BM_RunConversionInMemory(benchmark::State& state) {
    const Drawing& drawing = TheDrawing();
    MemoryFileOps files(drawing.bytes);
    QuietSink sink;
    for (auto _ : state) {
        const RunOutcome outcome = RunConversion(drawing.sourcePath, kOutputName, kOutputExtension,
                                                 kKnownLinetypes, sink, files.ops());
        if (outcome != RunOutcome::Finished || sink.last != messages::kFinished ||
            files.bytesWritten() != drawing.summary.expectedOutputBytes(true)) {
            state.SkipWithError("the run did not give the expected output");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * drawing.bytes.size()));
}
BENCHMARK(BM_RunConversionInMemory)->Unit(benchmark::kMillisecond);

// The whole run on files in /tmp, as the command runs it; removing the
// output between runs is not timed.
void BM_RunConversionFiles(benchmark::State& state) {
    const Drawing& drawing = TheDrawing();
    const std::string output = drawing.outputPath();
    QuietSink sink;
    for (auto _ : state) {
        const RunOutcome outcome =
            RunConversion(drawing.sourcePath, kOutputName, kOutputExtension, kKnownLinetypes, sink);
        state.PauseTiming();
        struct stat info {};
        const bool sizeRight =
            ::stat(output.c_str(), &info) == 0 &&
            static_cast<std::uint64_t>(info.st_size) == drawing.summary.expectedOutputBytes(true);
        ::unlink(output.c_str());
        if (outcome != RunOutcome::Finished || !sizeRight) {
            state.SkipWithError("the run did not give the expected output");
            return;
        }
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * drawing.bytes.size()));
}
BENCHMARK(BM_RunConversionFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
