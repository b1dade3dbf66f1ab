#include "engine/ParallelWork.h"

#include "common/WorkPool.h"
#include "engine/PixelRounding.h"

#include <algorithm>

namespace wavory {

unsigned resolveThreadCount(unsigned requested) {
    return requested > 0 ? requested : std::max(1u, WorkPool::shared().threadCount());
}

void runParallel(std::size_t count, unsigned threads,
                 const std::function<void(std::size_t, unsigned)>& task) {
    WorkPool::shared().forEach(count, std::max(threads, 1u), [&](std::size_t i, unsigned worker) {
        RoundToNearestScope rounding;
        task(i, worker);
    });
}

} // namespace wavory
