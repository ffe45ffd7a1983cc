// The floor under the converter: the same block reads, line splitting and
// CR LF writing as a run, and no decision about any line. A conversion can
// come close to this program but not below it, so bench/run and
// bench/callgrind hold both modes to it.
#include <cstdio>
#include <string>
#include <string_view>

#include "file_ops.h"
#include "line_reader.h"
#include "message_sink.h"
#include "output_writer.h"

namespace {

class NoMessages : public MessageSink {
public:
    void ShowMessage(const std::string&) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
};

int Fail(const char* what, const char* path) {
    std::fprintf(stderr, "dxf_floor: %s: %s\n", what, path);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: dxf_floor SOURCE OUTPUT (OUTPUT must not exist)\n", stderr);
        return 2;
    }
    const FileOps files = SystemFileOps();
    const int source = files.openSource(argv[1]);
    if (source < 0) return Fail("cannot open", argv[1]);
    const int output = files.createOutput(argv[2]);
    if (output < 0) return Fail("cannot create", argv[2]);

    NoMessages sink;
    LineReader reader;
    OutputWriter writer;
    reader.Open(files, source, sink);
    writer.Open(files, output);
    std::string_view line;
    for (;;) {
        const LineReader::Status status = reader.ReadLine(line);
        if (status == LineReader::Status::End) break;
        // The generated drawings have none; a floor need not read it in parts.
        if (status == LineReader::Status::TooLong) return Fail("line too long", argv[1]);
        writer.WriteLine(line);
        if (status == LineReader::Status::LastLine) break;
    }
    if (reader.failed()) return Fail("read error", argv[1]);
    const bool written = writer.WriteOut();
    const bool closed = reader.Close() && writer.Close();
    if (!written || !closed) return Fail("write or close error", argv[2]);
    return 0;
}
