#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// A fixed set of byte blocks that goes round between the conversion and a
// thread doing its reads or writes, so that the system calls overlap with
// the work on the lines. The producer takes an empty block and hands it on
// full; the consumer takes the full blocks in order and gives them back.
class BlockChannel {
public:
    struct Block {
        char* bytes = nullptr;  // the block's storage
        long size = 0;          // bytes in it, or what a read returned
        long stop = -1;         // a reader's mark: where a 0x1A is, if anywhere
        long lines = 0;         // a reader's count of the lines it has split
        long linesEnd = 0;      // and where the last of them ends
    };

    // Every block has bytesPerBlock bytes of storage, uninitialised, made the
    // first time the block is taken in line (a small file needs fewer blocks
    // than the channel has) and for all of them before a thread starts.
    BlockChannel(std::size_t blocks, std::size_t bytesPerBlock);
    BlockChannel(const BlockChannel&) = delete;
    BlockChannel& operator=(const BlockChannel&) = delete;
    ~BlockChannel() { StopThread(); }

    // Runs work on a thread of its own; only the first call does. Where no
    // thread can be started, hasThread() stays false and the work is left
    // to the caller, in line. The storage of every block is made first, on
    // the caller's thread: an allocation that fails there waits or ends as
    // the run's own, where one on the thread would wait under the lock for
    // a run that is waiting for the thread.
    void StartThread(std::function<void()> work);
    bool hasThread() const { return thread_.joinable(); }
    // Closes the channel and waits for its thread, if one runs, to end.
    void StopThread();

    // Each waits for a block; false once the channel is closed and, for the
    // full ones, none is left.
    bool TakeEmpty(Block& block);
    bool TakeFull(Block& block);
    void PutFull(const Block& block);
    void PutEmpty(const Block& block);

    // Waits until the consumer has given back every block handed on full.
    void WaitUntilConsumed();

    // Wakes both sides; blocks handed on full may still be taken.
    void Close();

private:
    void Provide(Block& block);

    std::size_t bytesPerBlock_;
    std::vector<std::unique_ptr<char[]>> storage_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Block> empty_;
    std::deque<Block> full_;
    std::size_t taken_ = 0;  // full blocks taken and not yet given back
    bool closed_ = false;
    std::thread thread_;
    bool threadTried_ = false;
};
