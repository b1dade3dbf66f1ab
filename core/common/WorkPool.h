#pragma once
// The program's one pool of worker threads: made once, sized to the processor cores, and
// shared by every job that runs on several threads (drawing, frame painting, compression,
// file writing, the variations). Tasks start in the order they were queued, so work
// queued later waits behind a drawing instead of competing with it for the cores.
//
// Jobs that need a result queue a task (submit). Jobs split into parts help themselves:
// the calling thread works on the parts too and never waits for a part nobody has begun,
// so a job started from inside a pool task, or while the pool is busy, still finishes.
// A task must not wait for a task queued after it: on a busy pool that one may never begin.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <type_traits>
#include <vector>

namespace wavory {

class WorkPool {
  public:
    // The program's pool: one thread per processor core (at least one), made on first
    // use and joined at exit.
    static WorkPool& shared();

    // A pool of `threads` threads. Threads the system refuses are left out: the pool may
    // have none, and then every job runs on the thread that asks for it.
    explicit WorkPool(unsigned threads);
    ~WorkPool(); // runs the tasks still queued, then joins the threads
    WorkPool(const WorkPool&) = delete;
    WorkPool& operator=(const WorkPool&) = delete;

    unsigned threadCount() const { return static_cast<unsigned>(threads_.size()); }

    // Calls part(i) for every i in [0, count), on the calling thread and the pool's.
    // Returns once every part begun has ended. The first exception stops the handing out
    // of parts and is rethrown once the parts begun have ended.
    void forEach(std::size_t count, const std::function<void(std::size_t)>& part);
    // The same on at most `width` threads, the caller's included (0: as many as there
    // are). `worker` tells the threads running at the same time apart: 0 is the caller,
    // the others are 1 .. width - 1.
    void forEach(std::size_t count, unsigned width,
                 const std::function<void(std::size_t part, unsigned worker)>& part);

    // Queues a task; its result or exception arrives through the future. Without a
    // thread the task runs here and now.
    template <class F>
    auto submit(F task) -> std::future<std::invoke_result_t<F&>> {
        using R = std::invoke_result_t<F&>;
        auto packaged = std::make_shared<std::packaged_task<R()>>(std::move(task));
        std::future<R> result = packaged->get_future();
        post([packaged] { (*packaged)(); });
        return result;
    }

    // Queues a task that must not throw; without a thread it runs here and now.
    void post(std::function<void()> task);

  private:
    void work();

    std::mutex mutex_;
    std::condition_variable queued_;
    std::deque<std::function<void()>> queue_;
    bool closing_ = false;
    std::vector<std::thread> threads_;
};

// Helpers of one job that works on the caller's data: each added helper runs on the pool
// unless the group was closed before it began, and close() returns once every helper
// begun has ended. Helpers are optional: the owner must be able to finish the job alone
// (a helper that cannot be queued, or begins too late, is simply left out).
class HelperGroup {
  public:
    explicit HelperGroup(WorkPool& pool) : pool_(pool), state_(std::make_shared<State>()) {}
    ~HelperGroup() { close(); }
    HelperGroup(const HelperGroup&) = delete;
    HelperGroup& operator=(const HelperGroup&) = delete;

    // Queues helper(); its exception, if any, is kept for rethrowIfFailed().
    void add(std::function<void()> helper);
    // No helper begins after it; waits for the ones begun.
    void close();
    // After close(): rethrows the first exception of a helper.
    void rethrowIfFailed() const;

  private:
    struct State {
        std::mutex mutex;
        std::condition_variable ended;
        bool closed = false;
        int running = 0;
        std::exception_ptr error;
    };
    WorkPool& pool_;
    std::shared_ptr<State> state_;
};

} // namespace wavory
