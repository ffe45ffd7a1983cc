#include "abnormal_end.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "cli_support.h"
#include "created_outputs.h"
#include "dxfconv_process.h"
#include "messages.h"
#include "temp_dir.h"

// How the command ends when it cannot go on: interrupted, without threads,
// without memory, with its standard streams closed. It never leaves a cut
// drawing under its final name and never ends by std::terminate.
namespace {

using Names = std::vector<std::string>;
using namespace std::chrono_literals;

constexpr char kSmall[] = "999\ncomment\n  0\nEOF\n";
constexpr char kSmallOutput[] = "999\r\ncomment\r\n  0\r\nEOF\r\n";

// A drawing whose conversion takes long enough to be interrupted midway.
const std::string& LargeDrawing() {
    static const std::string text = [] {
        std::string lines;
        const std::string record = "  0\nLINE\n  8\n0\n 10\n1.0\n 20\n2.0\n";
        lines.reserve(16 << 20);
        while (lines.size() < (16 << 20)) lines += record;
        return lines;
    }();
    return text;
}

// Waits until the file exists, then stops the child there, so that a signal
// meets the run midway whatever the machine's speed.
::testing::AssertionResult StopOnceCreated(const DxfconvChild& child, const std::string& path) {
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (!Exists(path)) {
        if (std::chrono::steady_clock::now() > deadline) {
            return ::testing::AssertionFailure() << path << " never appeared";
        }
        std::this_thread::sleep_for(200us);
    }
    ::kill(child.pid(), SIGSTOP);
    siginfo_t info{};
    if (::waitid(P_PID, static_cast<id_t>(child.pid()), &info, WSTOPPED | WEXITED | WNOWAIT) != 0 ||
        info.si_code != CLD_STOPPED) {
        return ::testing::AssertionFailure() << "the command ended before it could be stopped";
    }
    return ::testing::AssertionSuccess();
}

void SignalAndGoOn(const DxfconvChild& child, int signal) {
    ::kill(child.pid(), signal);
    ::kill(child.pid(), SIGCONT);
}

struct SignalCase {
    const char* title;
    int signal;

    friend void PrintTo(const SignalCase& c, std::ostream* os) { *os << c.title; }
};

const SignalCase kSignalCases[] = {
    {"Interrupt", SIGINT},
    {"Terminate", SIGTERM},
    {"HangUp", SIGHUP},
};

class Interrupted : public testing::TestWithParam<SignalCase> {};

TEST_P(Interrupted, RemovesTheOutputItCreatedAndExitsWith128PlusTheSignal) {
    TempDir dir;
    WriteFile(dir.File("plan.dxf"), LargeDrawing());

    DxfconvChild child({"plan.dxf", "plan_lt"}, dir.path());
    ASSERT_TRUE(StopOnceCreated(child, dir.File("plan_lt.dxf")));
    SignalAndGoOn(child, GetParam().signal);
    const CommandResult result = child.Wait();

    ASSERT_TRUE(result.exited) << "ended by signal " << result.signal;
    EXPECT_EQ(result.status, 128 + GetParam().signal);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(ListDir(dir.path()), Names{"plan.dxf"});
    EXPECT_TRUE(ReadFile(dir.File("plan.dxf")) == LargeDrawing());
}

TEST_P(Interrupted, StopsABatchAndKeepsTheFilesItFinished) {
    TempDir dir;
    WriteFile(dir.File("a.dxf"), kSmall);
    WriteFile(dir.File("b.dxf"), LargeDrawing());
    WriteFile(dir.File("c.dxf"), kSmall);

    DxfconvChild child({"--suffix", "_x", "a.dxf", "b.dxf", "c.dxf"}, dir.path());
    ASSERT_TRUE(StopOnceCreated(child, dir.File("b_x.dxf")));
    SignalAndGoOn(child, GetParam().signal);
    const CommandResult result = child.Wait();

    ASSERT_TRUE(result.exited) << "ended by signal " << result.signal;
    EXPECT_EQ(result.status, 128 + GetParam().signal);
    EXPECT_EQ(result.err, Printed(messages::kFinished, "a.dxf: "));
    EXPECT_EQ(ListDir(dir.path()), (Names{"a.dxf", "a_x.dxf", "b.dxf", "c.dxf"}));
    EXPECT_EQ(ReadFile(dir.File("a_x.dxf")), kSmallOutput);
}

INSTANTIATE_TEST_SUITE_P(Cli, Interrupted, testing::ValuesIn(kSignalCases), TitleOf{});

// Only the file the run created goes: not one put in its place meanwhile.
// So for a run that stops on a misplaced keyword at the end (signal 0).
TEST(Interrupted, LeavesAFileThatTookTheOutputsPlace) {
    for (const int signal : {SIGINT, 0}) {
        TempDir dir;
        WriteFile(dir.File("plan.dxf"), LargeDrawing() + (signal == 0 ? "  0\nENDSEC\n" : ""));

        DxfconvChild child({"plan.dxf", "plan_lt"}, dir.path());
        ASSERT_TRUE(StopOnceCreated(child, dir.File("plan_lt.dxf")));
        std::filesystem::rename(dir.File("plan_lt.dxf"), dir.File("moved.dxf"));
        WriteFile(dir.File("plan_lt.dxf"), "someone else's\n");
        SignalAndGoOn(child, signal);
        const CommandResult result = child.Wait();

        EXPECT_EQ(result.status, signal == 0 ? 1 : 130);
        EXPECT_EQ(ListDir(dir.path()), (Names{"moved.dxf", "plan.dxf", "plan_lt.dxf"}));
        EXPECT_EQ(ReadFile(dir.File("plan_lt.dxf")), "someone else's\n");
    }
}

// A signal that whoever started the command ignores, as nohup does SIGHUP,
// stays ignored.
TEST(Interrupted, NotByASignalItsStarterIgnores) {
    TempDir dir;
    WriteFile(dir.File("plan.dxf"), LargeDrawing());

    DxfconvChild child({"-q", "plan.dxf", "plan_lt"}, dir.path(),
                       ChildSetup{.ignoredSignals = {SIGHUP}});
    ASSERT_TRUE(StopOnceCreated(child, dir.File("plan_lt.dxf")));
    SignalAndGoOn(child, SIGHUP);
    const CommandResult result = child.Wait();

    ASSERT_TRUE(result.exited) << "ended by signal " << result.signal;
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(ReadFile(dir.File("plan_lt.dxf")) == CrLf(LargeDrawing()));
}

// A message to a pipe nobody reads is lost; the conversion is not.
TEST(ClosedPipe, LosesOnlyTheMessage) {
    for (const bool batch : {false, true}) {
        SCOPED_TRACE(batch ? "batch" : "single");
        TempDir dir;
        WriteFile(dir.File("plan.dxf"), kSmall);
        const ChildSetup setup{.errorToClosedPipe = true};

        const CommandResult result =
            batch ? RunDxfconv({"--suffix", "_lt", "plan.dxf"}, dir.path(), setup)
                  : RunDxfconv({"plan.dxf", "plan_lt"}, dir.path(), setup);

        ASSERT_TRUE(result.exited) << "ended by signal " << result.signal;
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(ReadFile(dir.File("plan_lt.dxf")), kSmallOutput);
    }
}

// More layers than the table holds, so that the run writes a notice.
std::string ManyLayers() {
    std::string source = "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n";
    for (int i = 0; i < 300; ++i) {
        source += "  0\nLAYER\n  2\nL" + std::to_string(i) + "\n  6\nDASHED\n";
    }
    source += "  0\nENDTAB\n  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n";
    source += "  0\nLINE\n  8\nL1\n  0\nENDSEC\n  0\nEOF\n";
    return source;
}

struct ClosedStreamsCase {
    const char* title;
    std::vector<int> closed;
    bool batch;

    friend void PrintTo(const ClosedStreamsCase& c, std::ostream* os) { *os << c.title; }
};

const ClosedStreamsCase kClosedStreamsCases[] = {
    {"InputAndError", {0, 2}, false},     {"All", {0, 1, 2}, false},     {"Error", {2}, false},
    {"BatchInputAndError", {0, 2}, true}, {"BatchAll", {0, 1, 2}, true},
};

class ClosedStreams : public testing::TestWithParam<ClosedStreamsCase> {};

// Closed streams are opened on /dev/null first: the output never takes
// their place, and no message ends up in the drawing.
TEST_P(ClosedStreams, GiveTheSameOutputAsOpenOnes) {
    const ClosedStreamsCase& c = GetParam();
    TempDir dir;
    WriteFile(dir.File("plan.dxf"), ManyLayers());
    const auto run = [&](const std::string& suffix, const ChildSetup& setup) {
        return c.batch ? RunDxfconv({"--suffix", suffix, "plan.dxf"}, dir.path(), setup)
                       : RunDxfconv({"plan.dxf", "plan" + suffix}, dir.path(), setup);
    };

    const CommandResult normal = run("_open", {});
    const CommandResult closed = run("_closed", ChildSetup{.closedStreams = c.closed});

    ASSERT_EQ(normal.status, 0);
    EXPECT_NE(normal.err.find(messages::kLayerLimit.substr(0, 20)), std::string::npos);
    ASSERT_TRUE(closed.exited) << "ended by signal " << closed.signal;
    EXPECT_EQ(closed.status, 0);
    EXPECT_EQ(ReadFile(dir.File("plan_closed.dxf")), ReadFile(dir.File("plan_open.dxf")));
}

INSTANTIATE_TEST_SUITE_P(Cli, ClosedStreams, testing::ValuesIn(kClosedStreamsCases), TitleOf{});

// Sources of all three outcomes, for batches under limits.
struct Batch {
    TempDir dir;
    Names arguments;
    std::string messages;

    Batch(int files, const std::string& suffix) {
        EXPECT_EQ(::chmod(dir.path().c_str(), 0777), 0);
        arguments = {"--suffix", suffix};
        for (int i = 0; i < files; ++i) {
            const std::string name = "f" + std::to_string(i) + ".dxf";
            WriteFile(dir.File(name), i % 5 == 4 ? "  0\nENDSEC\n" : kSmall);
            arguments.push_back(name);
            messages +=
                Printed(i % 5 == 4 ? "2" + std::string(messages::kStructureErrorBefore) + "ENDSEC" +
                                         std::string(messages::kStructureErrorAfter)
                                   : std::string(messages::kFinished),
                        name + ": ");
        }
    }
};

// Where no thread can be started, the calling thread converts every file.
TEST(WithoutThreads, ABatchConvertsEveryFileInOrder) {
    Batch batch(6, "_m");
    std::vector<std::string> arguments = {"-j", "4"};
    arguments.insert(arguments.end(), batch.arguments.begin(), batch.arguments.end());

    const CommandResult result =
        RunDxfconv(arguments, batch.dir.path(), ChildSetup{.withoutThreads = true});

    if (!result.setUp)
        GTEST_SKIP() << "the child cannot switch to uid 65534 or be kept from threads";
    ASSERT_TRUE(result.exited) << "ended by signal " << result.signal;
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, batch.messages);
    EXPECT_EQ(ReadFile(batch.dir.File("f0_m.dxf")), kSmallOutput);
    EXPECT_EQ(ReadFile(batch.dir.File("f5_m.dxf")), kSmallOutput);
}

// A create that never returns (a share that stopped answering) holds the
// end back for a moment only.
TEST(Interrupted, EndsWhileAnOutputIsStillBeingCreated) {
    EXPECT_EXIT(
        {
            ::alarm(10);
            PrepareCreatedOutputs(1);
            std::atomic<bool> creating{false};
            FileOps hanging = SystemFileOps();
            hanging.createOutput = [&creating](const char*) {
                creating.store(true);
                for (;;) ::pause();
                return -1;
            };
            const FileOps files = TrackCreatedOutputs(hanging);
            std::thread([&files] { files.createOutput("never.dxf"); }).detach();
            while (!creating.load()) std::this_thread::sleep_for(1ms);
            RemoveCreatedOutputs();
            std::_Exit(130);
        },
        testing::ExitedWithCode(130), "");
}

#if defined(DXFCONV_SANITIZED)
constexpr bool kAddressSpaceLimits = false;  // the sanitizers reserve terabytes
#else
constexpr bool kAddressSpaceLimits = true;
#endif

// The smallest address space, in steps of 256 KiB, in which the command
// starts at all.
rlim_t SmallestAddressSpace() {
    TempDir dir;
    for (rlim_t limit = 2 << 20; limit < (64 << 20); limit += 256 << 10) {
        if (RunDxfconv({"--version"}, dir.path(), ChildSetup{.addressSpaceLimit = limit}).status ==
            0) {
            return limit;
        }
    }
    return 0;
}

// Every limit from where the command starts to where a conversion fits, in
// a run whose reader and writer start threads: each run either finishes or
// says it lacks memory and leaves no output. A run that hangs is ended by
// its alarm and fails.
TEST(OutOfMemory, EndsWithAMessageAndLeavesNoOutput) {
    if (!kAddressSpaceLimits) GTEST_SKIP() << "no address space limits under the sanitizers";
    const rlim_t smallest = SmallestAddressSpace();
    ASSERT_NE(smallest, 0u);
    TempDir dir;
    WriteFile(dir.File("plan.dxf"), LargeDrawing().substr(0, 4 << 20));
    ASSERT_EQ(RunDxfconv({"plan.dxf", "whole"}, dir.path()).status, 0);
    const std::string whole = ReadFile(dir.File("whole.dxf"));
    std::filesystem::remove(dir.File("whole.dxf"));
    int endedForMemory = 0;
    int finished = 0;
    for (rlim_t limit = smallest; limit < (40 << 20); limit += 256 << 10) {
        SCOPED_TRACE(limit);
        const CommandResult result =
            RunDxfconv({"plan.dxf", "out"}, dir.path(),
                       ChildSetup{.addressSpaceLimit = limit, .alarmSeconds = 20});
        ASSERT_TRUE(result.exited) << "ended by signal " << result.signal;
        if (result.status == 0) {
            ++finished;
            EXPECT_EQ(ReadFile(dir.File("out.dxf")), whole);
            std::filesystem::remove(dir.File("out.dxf"));
        } else {
            ++endedForMemory;
            EXPECT_EQ(result.status, 1);
            EXPECT_EQ(result.err, kOutOfMemory);
        }
        EXPECT_EQ(ListDir(dir.path()), Names{"plan.dxf"});
    }
    EXPECT_GT(endedForMemory, 0);
    EXPECT_GT(finished, 0);
}

// Many workers in a small address space: threads that cannot start are
// done without, and a run short of memory waits for another to give some
// back. Whatever happens, no output is left cut.
TEST(OutOfMemory, ABatchOfManyJobsLeavesNoCutOutput) {
    if (!kAddressSpaceLimits) GTEST_SKIP() << "no address space limits under the sanitizers";
    Batch batch(200, "_m");
    std::vector<std::string> arguments = {"-q", "-j", "100"};
    arguments.insert(arguments.end(), batch.arguments.begin(), batch.arguments.end());

    const CommandResult result =
        RunDxfconv(arguments, batch.dir.path(), ChildSetup{.addressSpaceLimit = 400000 << 10});

    ASSERT_TRUE(result.exited) << "ended by signal " << result.signal;
    if (result.status == 1 && result.err.ends_with(kOutOfMemory)) {
        for (int i = 0; i < 200; ++i) {
            const std::string output = batch.dir.File("f" + std::to_string(i) + "_m.dxf");
            if (Exists(output)) {
                EXPECT_TRUE(i % 5 != 4 && ReadFile(output) == kSmallOutput) << output;
            }
        }
    } else {
        EXPECT_EQ(result.status, 1);  // the structure errors
        std::string errors;
        for (int i = 4; i < 200; i += 5) {
            const std::string name = "f" + std::to_string(i) + ".dxf";
            errors += Printed("2" + std::string(messages::kStructureErrorBefore) + "ENDSEC" +
                                  std::string(messages::kStructureErrorAfter),
                              name + ": ");
        }
        EXPECT_EQ(result.err, errors);
        EXPECT_EQ(ReadFile(batch.dir.File("f198_m.dxf")), kSmallOutput);
        EXPECT_FALSE(Exists(batch.dir.File("f199_m.dxf")));
    }
}

}  // namespace
