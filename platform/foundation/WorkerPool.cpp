#include "platform/foundation/WorkerPool.h"

#include <chrono>
#include <exception>
#include <thread>

#include "platform/foundation/Log.h"
#include "platform/foundation/Thread.h"

namespace foundation {

namespace {

constexpr std::size_t kMaximumThreads = 64;
constexpr std::size_t kKeptIdleThreads = 4;
constexpr auto kIdleLifetime = std::chrono::seconds(10);

}  // namespace

WorkerPool::WorkerPool() : threads_(kKeptIdleThreads), starting_(kKeptIdleThreads) {
    for (std::size_t i = 0; i < kKeptIdleThreads; ++i) {
        std::thread([this] { work(); }).detach();
    }
}

WorkerPool& WorkerPool::shared() {
    static WorkerPool* const pool = new WorkerPool();
    return *pool;
}

void WorkerPool::submit(Task task) {
    bool spawn = false;
    {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
        if (tasks_.size() > idle_ + starting_ && threads_ < kMaximumThreads) {
            ++threads_;
            ++starting_;
            spawn = true;
        }
    }
    if (spawn) {
        std::thread([this] { work(); }).detach();
    } else {
        ready_.notify_one();
    }
}

std::size_t WorkerPool::threadCount() const {
    std::lock_guard lock(mutex_);
    return threads_;
}

void WorkerPool::work() {
    Thread::setCurrentName("worker");
    std::unique_lock lock(mutex_);
    --starting_;
    while (true) {
        ++idle_;
        const bool woken = ready_.wait_for(lock, kIdleLifetime, [&] { return !tasks_.empty(); });
        --idle_;
        if (!woken && threads_ > kKeptIdleThreads) {
            --threads_;
            return;
        }
        if (tasks_.empty()) {
            continue;
        }
        Task task = std::move(tasks_.front());
        tasks_.pop_front();
        lock.unlock();
        try {
            task();
        } catch (const std::exception& error) {
            Log::write("WorkerPool", std::string("a task threw: ") + error.what());
        } catch (...) {
            Log::write("WorkerPool", "a task threw");
        }
        task = nullptr;
        lock.lock();
    }
}

}  // namespace foundation
