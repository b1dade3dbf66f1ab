#pragma once
// Items of a series made on the work pool ahead of a consumer that takes them one by one
// in order and waits for the next. Producing goes at most `ahead` items beyond the one
// taken next, so a slow consumer holds back memory and threads; the consumer makes an
// item itself when nobody has begun it. Stopping (the object going away) waits only for
// the items begun. A failure is kept with its item: take() rethrows it there, and no item
// after it is begun.

#include "common/WorkPool.h"

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

namespace wavory {

template <class T>
class OrderedAhead {
  public:
    // Items 0 .. count - 1 made by produce(i), on up to `helpers` pool threads.
    OrderedAhead(WorkPool& pool, std::size_t count, std::function<T(std::size_t)> produce,
                 std::size_t ahead, unsigned helpers)
        : produce_(std::move(produce)), count_(count), ahead_(std::max<std::size_t>(ahead, 1)),
          helpers_(std::min<std::size_t>({helpers, pool.threadCount(), count})),
          slots_(ahead_), group_(pool) {
        const std::lock_guard lock(mutex_);
        addHelpers();
    }
    ~OrderedAhead() { stop(); }
    OrderedAhead(const OrderedAhead&) = delete;
    OrderedAhead& operator=(const OrderedAhead&) = delete;

    // The next item in order; rethrows the exception its producing ended with.
    T take() {
        std::unique_lock lock(mutex_);
        const std::size_t i = taken_;
        Slot& slot = slots_[i % ahead_];
        if (next_ == i) { // nobody has begun it: make it here
            ++next_;
            lock.unlock();
            produceInto(i, slot);
            lock.lock();
        } else {
            ready_.wait(lock, [&] { return slot.ended; });
        }
        ++taken_;
        slot.ended = false;
        addHelpers(); // a place ahead has come free
        if (slot.error)
            std::rethrow_exception(std::exchange(slot.error, nullptr));
        T item = std::move(*slot.item);
        slot.item.reset();
        return item;
    }

    // Items that are not begun are not made any more; waits for the ones begun.
    void stop() {
        {
            const std::lock_guard lock(mutex_);
            stopped_ = true;
        }
        group_.close();
    }

  private:
    struct Slot {
        std::optional<T> item;
        std::exception_ptr error;
        bool ended = false;
    };

    // With the mutex held: the next item a helper may begin, if any.
    bool mayBegin() const {
        return !stopped_ && !failed_ && next_ < count_ && next_ < taken_ + ahead_;
    }

    void produceInto(std::size_t i, Slot& slot) {
        std::optional<T> item;
        std::exception_ptr error;
        try {
            item.emplace(produce_(i));
        } catch (...) {
            error = std::current_exception();
        }
        {
            const std::lock_guard lock(mutex_);
            slot.item = std::move(item);
            slot.error = error;
            slot.ended = true;
            if (error)
                failed_ = true;
        }
        ready_.notify_all();
    }

    void help() {
        std::unique_lock lock(mutex_);
        while (mayBegin()) {
            const std::size_t i = next_++;
            lock.unlock();
            produceInto(i, slots_[i % ahead_]);
            lock.lock();
        }
        --running_;
    }

    // With the mutex held: queues helpers up to the number allowed while there is work.
    void addHelpers() {
        while (running_ < helpers_ && mayBegin()) {
            ++running_;
            group_.add([this] { help(); });
        }
    }

    std::function<T(std::size_t)> produce_;
    const std::size_t count_;
    const std::size_t ahead_;
    const std::size_t helpers_;
    std::mutex mutex_;
    std::condition_variable ready_;
    std::vector<Slot> slots_;
    std::size_t next_ = 0;  // the next item to begin
    std::size_t taken_ = 0; // the next item to take
    std::size_t running_ = 0;
    bool stopped_ = false;
    bool failed_ = false;
    HelperGroup group_;
};

// Makes items 0 .. count - 1 on the pool ahead of consume(i, item), which runs on the
// calling thread in order and returns false to stop.
template <class T>
void computeAhead(WorkPool& pool, std::size_t count, std::size_t ahead,
                  const std::function<T(std::size_t)>& produce,
                  const std::function<bool(std::size_t, T&&)>& consume) {
    OrderedAhead<T> items(pool, count, produce, ahead, pool.threadCount());
    for (std::size_t i = 0; i < count; ++i)
        if (!consume(i, items.take()))
            return;
}

} // namespace wavory
