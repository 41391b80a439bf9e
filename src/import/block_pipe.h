#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <utility>
#include <vector>

namespace dorvanta {

// Bytes handed from one thread to another in large blocks, with a bound on
// the blocks in flight: a producer that runs ahead waits for the consumer,
// so memory stays at `blocks` x `blockBytes` whatever passes through.
class BlockPipe
{
public:
    // `before`, when given, is shown each block on the producer's thread
    // before it is handed over; a block it refuses (returns false) aborts
    // the pipe, and is not handed over.
    using Before = std::function<bool(const char* data, std::size_t size)>;
    BlockPipe(std::size_t blockBytes, std::size_t blocks, Before before = {})
        : blockBytes_(blockBytes), blocks_(blocks), before_(std::move(before))
    {
    }

    // Producer: appends bytes, handing each block over as it fills. False
    // once the pipe is aborted: the bytes were dropped.
    bool Write(const char* data, std::size_t size);

    // Producer: hands over the bytes written so far, a block not yet full
    // too; false as Write.
    bool Flush();

    // Producer: hands over the last bytes; Take returns false after them.
    // False as Write.
    bool Close();

    // Consumer: the next block into `block` (its old bytes go back to the
    // pool); false once the pipe is closed and empty, or aborted.
    bool Take(std::vector<char>& block);

    // Either side: nothing more passes; waits on both sides end. Bytes
    // written after it are dropped.
    void Abort();

private:
    bool HandOver(); // the lock is not held

    const std::size_t blockBytes_;
    const std::size_t blocks_;
    const Before before_;
    std::vector<char> filling_; // the producer's own
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<char>> full_;
    std::vector<std::vector<char>> free_;
    std::size_t made_ = 0; // blocks allocated so far
    bool closed_ = false;
    bool aborted_ = false;
};

} // namespace dorvanta
