#pragma once

#include "platform/platform.h"

#include <map>
#include <mutex>

namespace pw::sim {

class SimClock;
class SimQueueTimers;

// Thread timers on the virtual clock. Nothing fires by itself: a test or driver moves the
// clock with AdvanceAndFire, which runs every timer that falls due, in time order (ties
// in id order), with the clock set to each timer's due time while it runs. The timer-queue
// timers fire on the way too, in the same order (after thread timers due at the same
// time), each on the queue's thread while AdvanceAndFire waits for it.
class SimTimers final : public platform::Timers {
  public:
    SimTimers(SimClock& clock, SimQueueTimers& queue) : clock_(clock), queue_(queue) {}

    uintptr_t SetTimer(uintptr_t id, unsigned periodMs, Proc proc) override;
    bool KillTimer(uintptr_t id) override;

    // Advances the clock by ms, firing timers on the way.
    void AdvanceAndFire(uint32_t ms);
    bool IsRunning(uintptr_t id) const;
    // Milliseconds until timer id is next due; -1 when it does not run.
    long DueIn(uintptr_t id) const;
    size_t RunningCount() const;
    // Milliseconds until the first running timer, or queue timer not yet fired, is due (0
    // when one is overdue); -1 when none runs.
    long NextDueIn() const;

  private:
    // Sets the clock to start + offset, or leaves it where it is when it is further on.
    void MoveTo(uint32_t start, uint32_t offset);

    struct Timer {
        uint32_t due = 0; // tick count, compared as an offset from now
        unsigned period = 0;
        Proc proc = nullptr;
    };

    SimClock& clock_;
    SimQueueTimers& queue_;
    mutable std::mutex mutex_;
    std::map<uintptr_t, Timer> timers_;
};

} // namespace pw::sim
