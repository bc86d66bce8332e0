#include "core/ParallelFor.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace velmora {

void ParallelFor(std::size_t count, const std::function<void(std::size_t)>& body)
{
    std::atomic<std::size_t> next{0};
    std::mutex failureMutex;
    std::exception_ptr failure;
    const auto work = [&] {
        for (std::size_t i = next++; i < count; i = next++) {
            try {
                body(i);
            } catch (...) {
                const std::lock_guard lock(failureMutex);
                if (!failure)
                    failure = std::current_exception();
                next = count;
            }
        }
    };

    RunOnCores(count, work);
    if (failure)
        std::rethrow_exception(failure);
}

void RunOnCores(std::size_t tasks, const std::function<void()>& work)
{
    if (tasks == 0)
        return;
    const std::size_t cores = std::max(1U, std::thread::hardware_concurrency());
    const std::size_t helpers = std::min(cores, tasks) - 1;
    std::vector<std::thread> threads;
    try {
        for (std::size_t k = 0; k < helpers; ++k)
            threads.emplace_back(work);
    } catch (const std::system_error&) {
        // Fewer threads only take longer.
    }
    work();
    for (auto& thread : threads)
        thread.join();
}

}  // namespace velmora
