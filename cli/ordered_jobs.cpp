#include "ordered_jobs.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

namespace {
struct Result {
    bool succeeded;
    std::string text;
};
// Without a thread to spare, the jobs run here, one after another.
bool RunInTurn(std::size_t count, const std::function<bool(std::size_t, std::string&)>& run,
               const std::function<void(const std::string&)>& write) {
    bool allSucceeded = true;
    for (std::size_t job = 0; job < count; ++job) {
        std::string text;
        allSucceeded = run(job, text) && allSucceeded;
        write(text);
    }
    return allSucceeded;
}

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
    workers.reserve(std::min<std::size_t>(threads, count));
    try {
        for (unsigned i = 0; i < threads && i < count; ++i) workers.emplace_back(work);
    } catch (const std::system_error&) {
        // The system gives no more threads: those started do the work.
    }
    if (workers.empty()) return RunInTurn(count, run, write);

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
