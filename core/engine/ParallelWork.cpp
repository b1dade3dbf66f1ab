#include "engine/ParallelWork.h"

#include "engine/PixelRounding.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace wavory {

unsigned resolveThreadCount(unsigned requested) {
    if (requested > 0) return requested;
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 0 ? cores : 1;
}

void runParallel(std::size_t count, unsigned threads,
                 const std::function<void(std::size_t, unsigned)>& task) {
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::mutex errorMutex;
    std::exception_ptr error;

    auto work = [&](unsigned worker) {
        RoundToNearestScope rounding;
        try {
            while (!failed.load(std::memory_order_relaxed)) {
                const std::size_t i = next.fetch_add(1, std::memory_order_relaxed);
                if (i >= count) break;
                task(i, worker);
            }
        } catch (...) {
            failed.store(true, std::memory_order_relaxed);
            std::lock_guard lock(errorMutex);
            if (!error) error = std::current_exception();
        }
    };

    const std::size_t helpers =
        std::min<std::size_t>(std::max(threads, 1u) - 1, count > 0 ? count - 1 : 0);
    std::vector<std::thread> pool;
    pool.reserve(helpers);
    for (std::size_t i = 0; i < helpers; ++i) {
        try {
            pool.emplace_back(work, static_cast<unsigned>(i + 1));
        } catch (const std::system_error&) {
            break; // fewer threads only make it slower
        }
    }
    work(0);
    for (auto& t : pool) t.join();
    if (error) std::rethrow_exception(error);
}

} // namespace wavory
