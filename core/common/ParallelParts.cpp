#include "common/ParallelParts.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace wavory {

void forEachPart(std::size_t count, const std::function<void(std::size_t)>& task) {
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::mutex errorMutex;
    std::exception_ptr error;
    auto work = [&] {
        try {
            while (!failed.load(std::memory_order_relaxed)) {
                const std::size_t i = next.fetch_add(1, std::memory_order_relaxed);
                if (i >= count)
                    break;
                task(i);
            }
        } catch (...) {
            failed.store(true, std::memory_order_relaxed);
            const std::lock_guard lock(errorMutex);
            if (!error)
                error = std::current_exception();
        }
    };
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t helpers = std::min(cores, count) > 0 ? std::min(cores, count) - 1 : 0;
    std::vector<std::thread> pool;
    pool.reserve(helpers);
    for (std::size_t i = 0; i < helpers; ++i) {
        try {
            pool.emplace_back(work);
        } catch (const std::system_error&) {
            break; // fewer threads only make it slower
        }
    }
    work();
    for (std::thread& t : pool)
        t.join();
    if (error)
        std::rethrow_exception(error);
}

} // namespace wavory
