#pragma once

#include "platform/platform.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

namespace pw::sim {

class SimClock;
class SimDiagnostics;

// Timer-queue timers on the virtual clock. Nothing fires by itself: SimTimers::AdvanceAndFire
// fires them in time order together with the thread timers. As on the system's queue, a
// callback runs on a thread of its own (started at the first firing); the thread that
// fires a timer waits until its callback has returned, so the order stays deterministic.
class SimQueueTimers final : public platform::QueueTimers {
  public:
    SimQueueTimers(SimClock& clock, SimDiagnostics& diagnostics)
        : clock_(clock), diagnostics_(diagnostics) {}
    ~SimQueueTimers() override;
    SimQueueTimers(const SimQueueTimers&) = delete;
    SimQueueTimers& operator=(const SimQueueTimers&) = delete;

    HANDLE Create(unsigned dueMs, Callback callback, void* parameter) override;
    bool Delete(HANDLE timer) override;

    // The first timer that has not fired yet and falls due within limit ms after base:
    // its handle and its due time as an offset from base. False when there is none.
    bool FirstDue(uint32_t base, uint32_t limit, HANDLE& timer, uint32_t& offset) const;
    // Runs the callback of timer on the queue's thread and waits until it has returned.
    void Fire(HANDLE timer);
    // Milliseconds until the first timer that has not fired is due (0 when overdue); -1
    // when there is none.
    long NextDueIn() const;
    // Timers created and not yet deleted, fired ones included.
    size_t LiveCount() const;
    // Timers that have not fired yet.
    size_t PendingCount() const;

  private:
    enum class State { Pending, Running, Fired };
    struct Timer {
        uint32_t due = 0;
        Callback callback = nullptr;
        void* parameter = nullptr;
        State state = State::Pending;
        bool deleted = false; // deleted while its callback ran; freed when it returns
    };

    void Serve();

    SimClock& clock_;
    SimDiagnostics& diagnostics_;
    mutable std::mutex mutex_;
    std::map<uintptr_t, Timer> timers_;
    uintptr_t nextHandle_ = 0x7100;
    // Callbacks handed to the queue's thread, and how many it has finished.
    std::deque<uintptr_t> jobs_;
    uint64_t requested_ = 0;
    uint64_t completed_ = 0;
    bool stopping_ = false;
    std::condition_variable changed_;
    std::thread worker_;
};

} // namespace pw::sim
