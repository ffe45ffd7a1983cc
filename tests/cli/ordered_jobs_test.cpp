#include "ordered_jobs.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

// Jobs that finish in reverse order still print in job order, each text
// whole.
TEST(OrderedJobs, WriteTextsInJobOrderWhateverOrderTheyFinishIn) {
    for (const unsigned threads : {1u, 3u, 8u, 64u}) {
        SCOPED_TRACE(threads);
        std::vector<std::string> written;
        const bool all = RunOrderedJobs(
            10, threads,
            [](std::size_t job, std::string& text) {
                std::this_thread::sleep_for(std::chrono::milliseconds(2 * (10 - job)));
                text = "job " + std::to_string(job) + "\n";
                return job != 4;
            },
            [&](const std::string& text) { written.push_back(text); });
        EXPECT_FALSE(all);
        ASSERT_EQ(written.size(), 10u);
        for (std::size_t job = 0; job < 10; ++job) {
            EXPECT_EQ(written[job], "job " + std::to_string(job) + "\n");
        }
    }
}

TEST(OrderedJobs, NoJobsWriteNothingAndSucceed) {
    bool wrote = false;
    EXPECT_TRUE(RunOrderedJobs(
        0, 4, [](std::size_t, std::string&) { return false; },
        [&](const std::string&) { wrote = true; }));
    EXPECT_FALSE(wrote);
}

}  // namespace
