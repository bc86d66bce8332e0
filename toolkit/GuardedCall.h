#pragma once

#include <exception>

namespace velmora {

// Writes one line to standard error: "velmora: WHERE failed: WHAT", with any
// line break of WHAT turned into a space, so that each failure stays one line
// (and a log reader finds them all by " failed: ").
void ReportHandlerFailure(const char* where, const char* what) noexcept;

// Reports the exception being handled (inside a catch block) as above.
void ReportCurrentException(const char* where) noexcept;

// Runs `body` so that no exception unwinds into Qt's event dispatch, which
// cannot carry one: a failure is reported on standard error and dropped.
// Returns whether `body` finished normally.
template <class Body>
bool CallGuarded(const char* where, Body&& body) noexcept
{
    try {
        body();
        return true;
    } catch (...) {
        ReportCurrentException(where);
    }
    return false;
}

}  // namespace velmora
