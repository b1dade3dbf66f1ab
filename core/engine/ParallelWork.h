#pragma once
// Runs numbered tasks on several threads, the caller's included.

#include <cstddef>
#include <functional>

namespace wavory {

// Calls task(i, worker) for every i in [0, count), handing the indices out in increasing
// order to up to `threads` threads (worker 0 is the calling thread, the others are
// 1 .. threads - 1). Every thread computes with round-to-nearest. The first exception
// stops the handing out; it is rethrown once every thread has finished.
void runParallel(std::size_t count, unsigned threads,
                 const std::function<void(std::size_t index, unsigned worker)>& task);

// The number of threads for a requested count: 0 means one per processor core.
unsigned resolveThreadCount(unsigned requested);

} // namespace wavory
