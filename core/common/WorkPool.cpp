#include "common/WorkPool.h"

#include <algorithm>
#include <atomic>
#include <new>
#include <system_error>

namespace wavory {

WorkPool& WorkPool::shared() {
    static WorkPool pool(std::max(1u, std::thread::hardware_concurrency()));
    return pool;
}

WorkPool::WorkPool(unsigned threads) {
    threads_.reserve(threads);
    for (unsigned i = 0; i < threads; ++i) {
        try {
            threads_.emplace_back([this] { work(); });
        } catch (const std::system_error&) {
            break; // fewer threads only make it slower
        }
    }
}

WorkPool::~WorkPool() {
    {
        const std::lock_guard lock(mutex_);
        closing_ = true;
    }
    queued_.notify_all();
    for (std::thread& t : threads_)
        t.join();
}

void WorkPool::post(std::function<void()> task) {
    if (threads_.empty()) {
        task();
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        queue_.push_back(std::move(task));
    }
    queued_.notify_one();
}

void WorkPool::work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        queued_.wait(lock, [&] { return closing_ || !queue_.empty(); });
        if (queue_.empty())
            return; // closing, nothing left
        std::function<void()> task = std::move(queue_.front());
        queue_.pop_front();
        lock.unlock();
        task();
        task = nullptr; // what it holds goes before the next task begins
        lock.lock();
    }
}

void WorkPool::forEach(std::size_t count, const std::function<void(std::size_t)>& part) {
    forEach(count, 0, [&](std::size_t i, unsigned) { part(i); });
}

void WorkPool::forEach(std::size_t count, unsigned width,
                       const std::function<void(std::size_t, unsigned)>& part) {
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::mutex errorMutex;
    std::exception_ptr error;
    auto run = [&](unsigned worker) {
        try {
            while (!failed.load(std::memory_order_relaxed)) {
                const std::size_t i = next.fetch_add(1, std::memory_order_relaxed);
                if (i >= count)
                    break;
                part(i, worker);
            }
        } catch (...) {
            failed.store(true, std::memory_order_relaxed);
            const std::lock_guard lock(errorMutex);
            if (!error)
                error = std::current_exception();
        }
    };
    const std::size_t most = width > 0 ? width - 1 : threadCount();
    const std::size_t helpers = std::min({most, std::size_t{threadCount()}, count > 0 ? count - 1 : 0});
    {
        HelperGroup group(*this);
        for (std::size_t h = 1; h <= helpers; ++h)
            group.add([&run, h] { run(static_cast<unsigned>(h)); });
        run(0);
    } // every helper begun has ended
    if (error)
        std::rethrow_exception(error);
}

void HelperGroup::add(std::function<void()> helper) {
    if (pool_.threadCount() == 0)
        return; // the owner does it all
    try {
        pool_.post([state = state_, helper = std::move(helper)] {
            {
                const std::lock_guard lock(state->mutex);
                if (state->closed)
                    return;
                ++state->running;
            }
            std::exception_ptr error;
            try {
                helper();
            } catch (...) {
                error = std::current_exception();
            }
            {
                const std::lock_guard lock(state->mutex);
                if (error && !state->error)
                    state->error = error;
                --state->running;
            }
            state->ended.notify_all();
        });
    } catch (const std::bad_alloc&) {
        // Not queued: the owner does its part.
    }
}

void HelperGroup::close() {
    std::unique_lock lock(state_->mutex);
    state_->closed = true;
    state_->ended.wait(lock, [&] { return state_->running == 0; });
}

void HelperGroup::rethrowIfFailed() const {
    const std::lock_guard lock(state_->mutex);
    if (state_->error)
        std::rethrow_exception(state_->error);
}

} // namespace wavory
