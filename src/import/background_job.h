#pragma once

#include <exception>
#include <functional>
#include <thread>
#include <utility>

namespace dorvanta {

// One job at a time on a helper thread (a std::jthread, as every thread of
// the program), so the caller can prepare the next one meanwhile. Wait()
// joins the running job and throws what it threw; the destructor joins it and
// drops what it threw. A job is short (one batch of writes) and is not stopped.
class BackgroundJob
{
public:
    BackgroundJob() = default;
    BackgroundJob(const BackgroundJob&) = delete;
    BackgroundJob& operator=(const BackgroundJob&) = delete;
    ~BackgroundJob() = default;

    // Waits for the job before, then starts `job`.
    void Start(std::function<void()> job)
    {
        Wait();
        thread_ = std::jthread([this, job = std::move(job)] {
            try {
                job();
            } catch (...) {
                failure_ = std::current_exception();
            }
        });
    }

    void Wait()
    {
        if (thread_.joinable()) {
            thread_.join();
        }
        if (failure_) {
            std::rethrow_exception(std::exchange(failure_, nullptr));
        }
    }

private:
    std::exception_ptr failure_;
    std::jthread thread_; // last: joined before the failure it may set goes
};

} // namespace dorvanta
