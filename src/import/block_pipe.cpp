#include "import/block_pipe.h"

#include <algorithm>
#include <utility>

namespace dorvanta {

bool BlockPipe::Write(const char* data, std::size_t size)
{
    while (size > 0) {
        if (filling_.capacity() == 0) {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return aborted_ || !free_.empty() || made_ < blocks_; });
            if (aborted_) {
                return false;
            }
            if (!free_.empty()) {
                filling_ = std::move(free_.back());
                free_.pop_back();
            } else {
                ++made_;
                lock.unlock();
                filling_.reserve(blockBytes_);
            }
        }
        const std::size_t room = filling_.capacity() - filling_.size();
        const std::size_t part = std::min(room, size);
        filling_.insert(filling_.end(), data, data + part);
        data += part;
        size -= part;
        if (filling_.size() == filling_.capacity() && !HandOver()) {
            return false;
        }
    }
    std::lock_guard lock(mutex_);
    return !aborted_;
}

bool BlockPipe::HandOver()
{
    if (before_ && !before_(filling_.data(), filling_.size())) {
        Abort();
    }
    {
        std::lock_guard lock(mutex_);
        if (aborted_) {
            filling_ = {};
            return false;
        }
        full_.push_back(std::move(filling_));
    }
    filling_ = {};
    changed_.notify_all();
    return true;
}

bool BlockPipe::Flush()
{
    return filling_.empty() || HandOver();
}

bool BlockPipe::Close()
{
    const bool handed = Flush();
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }
    changed_.notify_all();
    return handed;
}

bool BlockPipe::Take(std::vector<char>& block)
{
    std::unique_lock lock(mutex_);
    if (block.capacity() != 0) {
        block.clear();
        free_.push_back(std::move(block));
        block = {};
        changed_.notify_all();
    }
    changed_.wait(lock, [this] { return aborted_ || closed_ || !full_.empty(); });
    if (aborted_ || full_.empty()) {
        return false;
    }
    block = std::move(full_.front());
    full_.pop_front();
    return true;
}

void BlockPipe::Abort()
{
    {
        std::lock_guard lock(mutex_);
        aborted_ = true;
        full_.clear();
    }
    changed_.notify_all();
}

} // namespace dorvanta
