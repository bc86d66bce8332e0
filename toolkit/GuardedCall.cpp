#include "toolkit/GuardedCall.h"

#include <cstdio>
#include <string>

namespace velmora {

void ReportHandlerFailure(const char* where, const char* what) noexcept
{
    try {
        std::string line = std::string("velmora: ") + where + " failed: " + what;
        for (char& c : line)
            if (c == '\n' || c == '\r')
                c = ' ';
        line += '\n';
        std::fputs(line.c_str(), stderr);
    } catch (...) {
        // Out of memory for the line itself: say what little can be said.
        std::fputs("velmora: a handler failed\n", stderr);
    }
    std::fflush(stderr);
}

void ReportCurrentException(const char* where) noexcept
{
    try {
        throw;
    } catch (const std::exception& error) {
        ReportHandlerFailure(where, error.what());
    } catch (...) {
        ReportHandlerFailure(where, "unknown exception");
    }
}

}  // namespace velmora
