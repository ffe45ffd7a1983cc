#include "block_channel.h"

#include <system_error>

BlockChannel::BlockChannel(std::size_t blocks, std::size_t bytesPerBlock)
    : bytesPerBlock_(bytesPerBlock), empty_(blocks) {
    storage_.reserve(blocks);
}

bool BlockChannel::TakeEmpty(Block& block) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return closed_ || !empty_.empty(); });
    if (closed_) return false;
    block = empty_.front();
    empty_.pop_front();
    Provide(block);
    return true;
}

void BlockChannel::Provide(Block& block) {
    if (block.bytes != nullptr) return;
    storage_.push_back(std::make_unique_for_overwrite<char[]>(bytesPerBlock_));
    block.bytes = storage_.back().get();
}

bool BlockChannel::TakeFull(Block& block) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return closed_ || !full_.empty(); });
    if (full_.empty()) return false;
    block = full_.front();
    full_.pop_front();
    ++taken_;
    return true;
}

void BlockChannel::PutFull(const Block& block) {
    {
        const std::lock_guard lock(mutex_);
        full_.push_back(block);
    }
    changed_.notify_all();
}

void BlockChannel::PutEmpty(const Block& block) {
    {
        const std::lock_guard lock(mutex_);
        // Back at the front, so that a block gets storage only when all the
        // blocks that have it are in use.
        empty_.push_front(block);
        --taken_;
    }
    changed_.notify_all();
}

void BlockChannel::WaitUntilConsumed() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return full_.empty() && taken_ == 0; });
}

void BlockChannel::Close() {
    {
        const std::lock_guard lock(mutex_);
        closed_ = true;
    }
    changed_.notify_all();
}

void BlockChannel::StartThread(std::function<void()> work) {
    if (threadTried_) return;
    threadTried_ = true;
    {
        const std::lock_guard lock(mutex_);
        for (Block& block : empty_) Provide(block);
    }
    try {
        thread_ = std::thread(std::move(work));
    } catch (const std::system_error&) {
        // No thread: the caller goes on in line.
    }
}

void BlockChannel::StopThread() {
    if (!thread_.joinable()) return;
    Close();
    thread_.join();
}
