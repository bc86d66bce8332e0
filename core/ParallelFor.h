#pragma once

#include <cstddef>
#include <functional>

namespace velmora {

// Runs `body(i)` for every i in [0, count), on as many threads as the
// processor has cores (the caller's among them), each taking the next index
// as it finishes one. The threads share the caller's priority. Returns when
// every call has ended; what the first failing call threw is then rethrown,
// and the indices not yet taken by then are passed over.
void ParallelFor(std::size_t count, const std::function<void(std::size_t)>& body);

// Runs `work` on as many threads as the processor has cores, but on no more
// than `tasks` (the caller's among them; none when `tasks` is 0), and
// returns when every run has ended. `work` shares out the tasks itself.
// When no more threads can be had, fewer run it.
void RunOnCores(std::size_t tasks, const std::function<void()>& work);

}  // namespace velmora
