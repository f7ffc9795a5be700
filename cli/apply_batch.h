#pragma once
// Several inputs of apply at once, one file to a thread: each file is equalised exactly
// as a single run equalises it, only beside others.

#include <cstddef>
#include <functional>

// The number of threads for `inputs` files when --jobs is not given: one a core, no
// more than there are files.
int DefaultJobs(std::size_t inputs);

// The most threads --jobs may ask for: each writes one temporary file at a time, and
// the safe writer tracks a fixed number of them for its signal handler.
inline constexpr int kMostJobs = 32;

// Calls job(i) once for every i below count, on `threads` threads (in the calling one
// when 1), taking the next index as each finishes. The other threads block SIGINT,
// SIGTERM, SIGHUP and SIGQUIT, so that the safe writer's handler runs in the calling
// thread, which only waits.
void RunOnThreads(std::size_t count, int threads, const std::function<void(std::size_t)>& job);
