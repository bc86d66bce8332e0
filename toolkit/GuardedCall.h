#pragma once

#include <QtGlobal>

#include <exception>

namespace velmora {

// Runs `body` so that no exception unwinds into Qt's event dispatch, which
// cannot carry one: a failure is reported with qWarning and dropped. Returns
// whether `body` finished normally.
template <class Body>
bool CallGuarded(const char* where, Body&& body) noexcept
{
    try {
        body();
        return true;
    } catch (const std::exception& error) {
        qWarning("%s: %s", where, error.what());
    } catch (...) {
        qWarning("%s: unknown exception", where);
    }
    return false;
}

}  // namespace velmora
