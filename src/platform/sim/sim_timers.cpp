#include "platform/sim/sim_timers.h"

#include "platform/handles.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_queue_timers.h"

#include <algorithm>

namespace pw::sim {

namespace {
// The system treats periods below 10 ms as 10 ms.
constexpr unsigned kMinimumPeriod = 10;
} // namespace

uintptr_t SimTimers::SetTimer(uintptr_t id, unsigned periodMs, Proc proc) {
    if (id == 0 || !proc)
        return 0;
    const unsigned period = std::max(periodMs, kMinimumPeriod);
    std::lock_guard lock(mutex_);
    timers_[id] = Timer{clock_.TickCount() + period, period, proc};
    return id;
}

bool SimTimers::KillTimer(uintptr_t id) {
    std::lock_guard lock(mutex_);
    return timers_.erase(id) > 0;
}

void SimTimers::AdvanceAndFire(uint32_t ms) {
    const uint32_t start = clock_.TickCount();
    for (;;) {
        HANDLE queued = nullptr;
        uint32_t queuedOffset = 0;
        const bool queueDue = queue_.FirstDue(start, ms, queued, queuedOffset);
        uintptr_t id = 0;
        Proc proc = nullptr;
        uint32_t dueOffset = 0;
        {
            std::lock_guard lock(mutex_);
            bool found = false;
            for (auto& [timerId, timer] : timers_) {
                // A timer the clock has already passed (a pause moved it on) is due at once.
                const int32_t ahead = static_cast<int32_t>(timer.due - start);
                const uint32_t offset = ahead < 0 ? 0 : static_cast<uint32_t>(ahead);
                if (offset > ms)
                    continue;
                if (!found || offset < dueOffset) {
                    found = true;
                    id = timerId;
                    dueOffset = offset;
                }
            }
            if (!found && !queueDue)
                break;
            // A queue timer goes first only when it is due strictly before.
            if (found && (!queueDue || dueOffset <= queuedOffset)) {
                Timer& timer = timers_[id];
                proc = timer.proc;
                // As the system does, a late timer fires once and then keeps its period
                // from now.
                timer.due = start + dueOffset + timer.period;
            }
        }
        if (!proc) {
            MoveTo(start, queuedOffset);
            queue_.Fire(queued);
            continue;
        }
        MoveTo(start, dueOffset);
        proc(nullptr, platform::kWmTimer, id, clock_.TickCount());
    }
    MoveTo(start, ms);
}

void SimTimers::MoveTo(uint32_t start, uint32_t offset) {
    // Time only moves forward: past a timer that was due before the start, and past the
    // end when a timer's work paused longer.
    clock_.SetTickCount(start + std::max(offset, clock_.TickCount() - start));
}

bool SimTimers::IsRunning(uintptr_t id) const {
    std::lock_guard lock(mutex_);
    return timers_.count(id) > 0;
}

long SimTimers::DueIn(uintptr_t id) const {
    std::lock_guard lock(mutex_);
    auto it = timers_.find(id);
    if (it == timers_.end())
        return -1;
    return static_cast<long>(static_cast<int32_t>(it->second.due - clock_.TickCount()));
}

long SimTimers::NextDueIn() const {
    std::lock_guard lock(mutex_);
    long next = queue_.NextDueIn();
    for (const auto& [id, timer] : timers_) {
        const long due =
            std::max(0L, static_cast<long>(static_cast<int32_t>(timer.due - clock_.TickCount())));
        if (next < 0 || due < next)
            next = due;
    }
    return next;
}

size_t SimTimers::RunningCount() const {
    std::lock_guard lock(mutex_);
    return timers_.size();
}

} // namespace pw::sim
