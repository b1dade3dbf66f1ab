#pragma once
// The engine's parallel loop: the work pool's, with round-to-nearest on every thread.

#include <cstddef>
#include <functional>

namespace wavory {

// Calls task(i, worker) for every i in [0, count) on up to `threads` threads of the work
// pool, the caller's included (worker 0 is the calling thread, the others are
// 1 .. threads - 1). Every part computes with round-to-nearest. The first exception
// stops the handing out; it is rethrown once every part begun has ended.
void runParallel(std::size_t count, unsigned threads,
                 const std::function<void(std::size_t index, unsigned worker)>& task);

// The number of threads for a requested count: 0 means one per thread of the work pool.
unsigned resolveThreadCount(unsigned requested);

} // namespace wavory
