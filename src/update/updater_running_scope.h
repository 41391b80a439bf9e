#pragma once

// The part of the updater that both its update procedures share (each in its
// own source file): not for other callers.

#include "update/updater.h"

namespace dorvanta {

// Marks the updater as running for its lifetime; with `gauge`, shows the
// main window's gauge at the start and hides it at every end.
class Updater::RunningScope
{
public:
    RunningScope(Updater& updater, bool gauge) : updater_(updater), gauge_(gauge)
    {
        updater_.running_ = true;
        if (gauge_) {
            updater_.progress_.ShowUpdateProgress();
        }
    }
    ~RunningScope()
    {
        try {
            if (gauge_) {
                updater_.progress_.HideUpdateProgress();
            }
        } catch (...) {
            // Hiding a gauge must not turn an ending update into a crash.
        }
        updater_.running_ = false;
    }
    RunningScope(const RunningScope&) = delete;
    RunningScope& operator=(const RunningScope&) = delete;

private:
    Updater& updater_;
    bool gauge_;
};

} // namespace dorvanta
