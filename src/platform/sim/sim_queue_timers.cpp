#include "platform/sim/sim_queue_timers.h"

#include "platform/handles.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_diagnostics.h"

#include <algorithm>

namespace pw::sim {

namespace {

uintptr_t KeyOf(HANDLE timer) {
    return reinterpret_cast<uintptr_t>(timer);
}

} // namespace

SimQueueTimers::~SimQueueTimers() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (worker_.joinable())
        worker_.join();
}

HANDLE SimQueueTimers::Create(unsigned dueMs, Callback callback, void* parameter) {
    if (!callback) {
        diagnostics_.SetLastError(platform::kErrorInvalidParameter);
        return nullptr;
    }
    std::lock_guard lock(mutex_);
    const uintptr_t key = nextHandle_;
    nextHandle_ += 4;
    timers_[key] = Timer{clock_.TickCount() + dueMs, callback, parameter};
    return reinterpret_cast<HANDLE>(key);
}

bool SimQueueTimers::Delete(HANDLE timer) {
    std::lock_guard lock(mutex_);
    auto it = timers_.find(KeyOf(timer));
    if (it == timers_.end() || it->second.deleted) {
        diagnostics_.SetLastError(platform::kErrorInvalidHandle);
        return false;
    }
    if (it->second.state == State::Running) {
        it->second.deleted = true;
        diagnostics_.SetLastError(platform::kErrorIoPending);
        return false;
    }
    timers_.erase(it);
    return true;
}

bool SimQueueTimers::FirstDue(uint32_t base, uint32_t limit, HANDLE& timer,
                              uint32_t& offset) const {
    std::lock_guard lock(mutex_);
    bool found = false;
    for (const auto& [key, entry] : timers_) {
        if (entry.state != State::Pending)
            continue;
        // A timer the clock has already passed (a pause moved it on) is due at once.
        const int32_t ahead = static_cast<int32_t>(entry.due - base);
        const uint32_t due = ahead < 0 ? 0 : static_cast<uint32_t>(ahead);
        if (due > limit || (found && due >= offset))
            continue;
        found = true;
        timer = reinterpret_cast<HANDLE>(key);
        offset = due;
    }
    return found;
}

void SimQueueTimers::Fire(HANDLE timer) {
    std::unique_lock lock(mutex_);
    auto it = timers_.find(KeyOf(timer));
    if (it == timers_.end() || it->second.state != State::Pending)
        return;
    it->second.state = State::Running;
    jobs_.push_back(it->first);
    const uint64_t ticket = ++requested_;
    if (!worker_.joinable())
        worker_ = std::thread(&SimQueueTimers::Serve, this);
    changed_.notify_all();
    changed_.wait(lock, [&] { return completed_ >= ticket; });
}

void SimQueueTimers::Serve() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return stopping_ || !jobs_.empty(); });
        if (jobs_.empty())
            return;
        const uintptr_t key = jobs_.front();
        jobs_.pop_front();
        const Timer entry = timers_[key];
        lock.unlock();
        entry.callback(entry.parameter, 1);
        lock.lock();
        // A fired one-shot timer stays until it is deleted, as on the system's queue.
        auto it = timers_.find(key);
        if (it != timers_.end()) {
            if (it->second.deleted)
                timers_.erase(it);
            else
                it->second.state = State::Fired;
        }
        ++completed_;
        changed_.notify_all();
    }
}

long SimQueueTimers::NextDueIn() const {
    std::lock_guard lock(mutex_);
    const uint32_t now = clock_.TickCount();
    long next = -1;
    for (const auto& [key, entry] : timers_) {
        if (entry.state != State::Pending)
            continue;
        const long due = std::max(0L, static_cast<long>(static_cast<int32_t>(entry.due - now)));
        if (next < 0 || due < next)
            next = due;
    }
    return next;
}

size_t SimQueueTimers::LiveCount() const {
    std::lock_guard lock(mutex_);
    return static_cast<size_t>(std::count_if(
        timers_.begin(), timers_.end(), [](const auto& entry) { return !entry.second.deleted; }));
}

size_t SimQueueTimers::PendingCount() const {
    std::lock_guard lock(mutex_);
    return static_cast<size_t>(std::count_if(timers_.begin(), timers_.end(), [](const auto& entry) {
        return entry.second.state == State::Pending;
    }));
}

} // namespace pw::sim
