#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "dxf_lines.h"
#include "fault_run.h"
#include "messages.h"
#include "output_writer.h"

namespace {

using messages::kWriteError;

constexpr std::size_t kBuffer = OutputWriter::kBufferBytes;
// Enough records after the interesting spot that the output fills the
// writer's buffer several times more (a record is some 40 bytes).
constexpr int kTrailingRecords = static_cast<int>(4 * kBuffer / 40);

// A source and the output range of the inserted lines a fault should hit.
struct PlacedSource {
    std::string text;
    std::size_t insertedAt = 0;
    std::string inserted;
};

void EntitiesToTheEnd(DxfLines& dxf, std::string_view layer) {
    dxf.Lines(layer, kTrailingRecords).Group(0, "ENDSEC").Group(0, "EOF");
}

// The replacement LTYPE table starts 80 bytes before the writer's buffer is
// full, so the buffer is written out while the table is being written.
PlacedSource TableAcrossBufferEnd() {
    const auto upToTrigger = [](DxfLines& dxf) {
        dxf.Group(0, "ENDSEC");
        OpenSection(dxf, "TABLES").Group(0, "TABLE").Group(2, "LTYPE").Group(70, "6");
    };
    DxfLines probe;
    upToTrigger(probe);
    DxfLines dxf;
    OpenSection(dxf, "HEADER").PadOutputTo(kBuffer - 80 - probe.outputBytes());
    upToTrigger(dxf);
    const std::size_t tableAt = dxf.outputBytes();
    dxf.Group(0, "ENDSEC");
    OpenSection(dxf, "ENTITIES");
    EntitiesToTheEnd(dxf, "WALL");
    return {dxf.Text(), tableAt, ReplacementTableInOutput()};
}

// The first inserted linetype group starts 6 bytes before the buffer is
// full: the buffer is written out between its "  6" and its linetype.
PlacedSource GroupAcrossBufferEnd() {
    const auto upToGroup = [](DxfLines& dxf) {
        dxf.Group(0, "ENDSEC");
        OpenSection(dxf, "TABLES");
        LayerTable(dxf, "WALL", "HIDDEN").Group(0, "ENDSEC");
        OpenSection(dxf, "ENTITIES").Group(0, "LINE").Group(8, "WALL").Group(10, "0.0");
    };
    DxfLines probe;
    upToGroup(probe);
    DxfLines dxf;
    OpenSection(dxf, "HEADER").PadOutputTo(kBuffer - 6 - probe.outputBytes());
    upToGroup(dxf);
    const std::size_t groupAt = dxf.outputBytes();
    EntitiesToTheEnd(dxf, "WALL");
    return {dxf.Text(), groupAt, "  6\r\nHIDDEN\r\n"};
}

PlacedSource PlainRecords() {
    DxfLines dxf;
    OpenSection(dxf, "ENTITIES");
    EntitiesToTheEnd(dxf, "WALL");
    return {dxf.Text(), 0, ""};
}

// A structure error (a second SECTION) long before the buffer is full.
PlacedSource EarlyStructureError() {
    DxfLines dxf;
    OpenSection(dxf, "ENTITIES").Lines("WALL", 10);
    OpenSection(dxf, "BLOCKS");
    return {dxf.Text(), 0, ""};
}

const std::string kSecondSectionError = "86行目の SECTION が不正です。\n　変換は完了していません。";

struct Reference {
    std::string output;  // of the same source without faults
    int writeCalls = 0;
};

struct WriteFaultCase {
    const char* name;
    PlacedSource (*source)();
    std::function<void(FaultFiles&, const PlacedSource&, const Reference&)> plant;
    std::vector<std::string> expectedMessages;
    // How much of the clean output is on disk afterwards.
    std::function<std::size_t(const FaultFiles&, const PlacedSource&)> bytesOnDisk;
    // The failing write must carry the end of the buffer that holds the
    // inserted lines, that is, be issued while they were being written.
    bool failsWhileInserting = false;
};

std::size_t WhatWasWritten(const FaultFiles& files, const PlacedSource&) {
    return static_cast<std::size_t>(files.bytesWritten);
}

const WriteFaultCase kCases[] = {
    {"FirstWriteWhileTheLtypeTableIsWritten",
     TableAcrossBufferEnd,
     [](FaultFiles& f, const PlacedSource&, const Reference&) { f.failingWrite = 1; },
     {std::string(kWriteError)},
     [](const FaultFiles&, const PlacedSource&) -> std::size_t { return 0; },
     true},
    {"DiskFullInsideTheLtypeTable",
     TableAcrossBufferEnd,
     [](FaultFiles& f, const PlacedSource& s, const Reference&) {
         f.outputByteLimit = static_cast<long>(s.insertedAt + 70);
     },
     {std::string(kWriteError)},
     [](const FaultFiles&, const PlacedSource& s) { return s.insertedAt + 70; },
     true},
    {"FirstWriteWhileTheLinetypeGroupIsWritten",
     GroupAcrossBufferEnd,
     [](FaultFiles& f, const PlacedSource&, const Reference&) { f.failingWrite = 1; },
     {std::string(kWriteError)},
     [](const FaultFiles&, const PlacedSource&) -> std::size_t { return 0; },
     true},
    {"DiskFullInsideTheLinetypeGroup",
     GroupAcrossBufferEnd,
     [](FaultFiles& f, const PlacedSource& s, const Reference&) {
         f.outputByteLimit = static_cast<long>(s.insertedAt + 3);
     },
     {std::string(kWriteError)},
     [](const FaultFiles&, const PlacedSource& s) { return s.insertedAt + 3; },
     true},
    {"ThirdWrite",
     PlainRecords,
     [](FaultFiles& f, const PlacedSource&, const Reference&) { f.failingWrite = 3; },
     {std::string(kWriteError)},
     WhatWasWritten},
    {"WriteThatTakesNothing",
     PlainRecords,
     [](FaultFiles& f, const PlacedSource&, const Reference&) {
         f.failingWrite = 2;
         f.writeReturnsZero = true;
     },
     {std::string(kWriteError)},
     WhatWasWritten},
    // The last buffer is written before the run counts the source as
    // converted: its failure is no failed close.
    {"LastWriteAtTheEnd",
     PlainRecords,
     [](FaultFiles& f, const PlacedSource&, const Reference& r) { f.failingWrite = r.writeCalls; },
     {std::string(kWriteError)},
     WhatWasWritten},
    {"WriteWhenClosingAfterAStructureError",
     EarlyStructureError,
     [](FaultFiles& f, const PlacedSource&, const Reference&) { f.failingWrite = 1; },
     {kSecondSectionError, std::string(messages::kOutputCloseFailed)},
     [](const FaultFiles&, const PlacedSource&) -> std::size_t { return 0; }},
};

void PrintTo(const WriteFaultCase& c, std::ostream* os) {
    *os << c.name;
}

class WriteFault : public testing::TestWithParam<WriteFaultCase> {};

TEST_P(WriteFault, StopsWithTheMessageAndLeavesWhatWasWritten) {
    const WriteFaultCase& c = GetParam();
    const PlacedSource source = c.source();
    FaultRun run(source.text);
    Reference reference;
    reference.output = run.CleanOutput(&reference.writeCalls);
    if (!source.inserted.empty()) {
        ASSERT_EQ(reference.output.substr(source.insertedAt, source.inserted.size()),
                  source.inserted);
    }

    FaultFiles files;
    c.plant(files, source, reference);
    EXPECT_EQ(run.Run(files), CallsOfStoppedRun(c.expectedMessages));

    const std::size_t expectedBytes = c.bytesOnDisk(files, source);
    ASSERT_LT(expectedBytes, reference.output.size());
    EXPECT_EQ(ReadFile(run.dir.File("out.dxf")), reference.output.substr(0, expectedBytes));
    EXPECT_EQ(ReadFile(run.sourcePath), source.text);
    EXPECT_EQ(ListDir(run.dir.path()), (std::vector<std::string>{"out.dxf", "plan.dxf"}));
    EXPECT_EQ(files.closeCalls[files.sourceFd], 1);
    EXPECT_EQ(files.closeCalls[files.outputFd], 1);
    if (c.failsWhileInserting) {
        const std::size_t bufferEnd = files.failedWriteOffset + files.failedWriteSize;
        EXPECT_GT(bufferEnd, source.insertedAt);
        EXPECT_LT(bufferEnd, source.insertedAt + source.inserted.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, WriteFault, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ShortWrites, GiveTheSameOutput) {
    FaultRun run(TableAcrossBufferEnd().text);
    const std::string expected = run.CleanOutput();
    FaultFiles files;
    files.writeChunk = 4093;
    EXPECT_EQ(run.Run(files), (std::vector<std::string>{
                                  "begin", "end", "message:" + std::string(messages::kFinished)}));
    EXPECT_EQ(ReadFile(run.dir.File("out.dxf")), expected);
}

}  // namespace
