#pragma once

#include <QtGlobal>

#include <exception>

namespace dorvanta {

// For a catch (...) block of an optional step (a setting, a quick search, a
// page): the window goes on with its defaults, and what it swallowed goes to
// the log. Call it inside the handler only.
inline void WarnSwallowed(const char* where)
{
    try {
        throw;
    } catch (const std::exception& error) {
        qWarning("%s: %s", where, error.what());
    } catch (...) {
        qWarning("%s: an unknown failure", where);
    }
}

} // namespace dorvanta
