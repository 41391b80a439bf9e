#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>

namespace dorvanta {

// The bytes received over the last `window`, counted in slices of a 64th of
// it: a slice that straddles the window's start counts whole, so the count
// errs on the side of the server by at most one slice.
class SpeedWindow
{
public:
    explicit SpeedWindow(std::chrono::milliseconds window)
        : window_(window),
          slice_(std::max<std::chrono::steady_clock::duration>(window / 64, std::chrono::milliseconds(1)))
    {
    }

    void Start(std::chrono::steady_clock::time_point now)
    {
        started_ = true;
        start_ = now;
        samples_.assign(1, Sample{now, total_});
    }

    void Add(std::size_t bytes, std::chrono::steady_clock::time_point now)
    {
        Mark(now);
        total_ += bytes;
    }

    // Bytes received since the window began to run; only meaningful once Full().
    std::uint64_t InWindow(std::chrono::steady_clock::time_point now)
    {
        Mark(now);
        while (samples_.size() > 1 && samples_[1].time <= now - window_) {
            samples_.pop_front();
        }
        return total_ - samples_.front().before;
    }

    // Whether the request has been running for a whole window.
    bool Full(std::chrono::steady_clock::time_point now) const { return started_ && now - start_ >= window_; }

private:
    struct Sample
    {
        std::chrono::steady_clock::time_point time;
        std::uint64_t before; // bytes received before `time`
    };

    void Mark(std::chrono::steady_clock::time_point now)
    {
        if (started_ && now - samples_.back().time >= slice_) {
            samples_.push_back(Sample{now, total_});
        }
    }

    std::chrono::steady_clock::duration window_;
    std::chrono::steady_clock::duration slice_;
    bool started_ = false;
    std::chrono::steady_clock::time_point start_{};
    std::uint64_t total_ = 0;
    std::deque<Sample> samples_;
};

} // namespace dorvanta
