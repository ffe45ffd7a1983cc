#include "ordered_jobs.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {
struct Result {
    bool succeeded;
    std::string text;
};
}  // namespace

bool RunOrderedJobs(std::size_t count, unsigned threads,
                    const std::function<bool(std::size_t, std::string&)>& run,
                    const std::function<void(const std::string&)>& write) {
    std::vector<std::optional<Result>> results(count);
    std::mutex mutex;
    std::condition_variable done;
    std::atomic<std::size_t> next{0};

    auto work = [&] {
        for (std::size_t job; (job = next.fetch_add(1)) < count;) {
            Result result;
            result.succeeded = run(job, result.text);
            const std::lock_guard lock(mutex);
            results[job] = std::move(result);
            done.notify_one();
        }
    };
    std::vector<std::jthread> workers;
    for (unsigned i = 0; i < threads && i < count; ++i) workers.emplace_back(work);

    bool allSucceeded = true;
    for (std::size_t job = 0; job < count; ++job) {
        std::unique_lock lock(mutex);
        done.wait(lock, [&] { return results[job].has_value(); });
        const Result result = std::move(*results[job]);
        lock.unlock();
        write(result.text);
        allSucceeded = allSucceeded && result.succeeded;
    }
    return allSucceeded;
}
