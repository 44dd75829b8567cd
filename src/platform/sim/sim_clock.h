#pragma once

#include "platform/platform.h"

#include <atomic>
#include <ctime>

namespace pw::sim {

// A clock that moves only when told to. Local time is a start time plus the ticks.
class SimClock final : public platform::Clock {
  public:
    uint32_t TickCount() override { return ticks_.load(std::memory_order_acquire); }
    bool LocalNow(platform::LocalTime& time) override;
    // A pause only moves the virtual clock on.
    void Sleep(unsigned ms) override { Advance(ms); }

    void SetTickCount(uint32_t ticks) { ticks_.store(ticks, std::memory_order_release); }
    void Advance(uint32_t ms) { ticks_.fetch_add(ms, std::memory_order_acq_rel); }
    // Sets the local time that corresponds to the current tick count.
    void SetLocalTime(int year, int month, int day, int hour, int minute, int second);
    void SetLocalTimeAvailable(bool available) { localAvailable_ = available; }

  private:
    std::atomic<uint32_t> ticks_{100000};
    std::time_t baseSeconds_ = 1767225600; // 1 January 2026, 00:00:00
    uint32_t baseTicks_ = 100000;
    bool localAvailable_ = true;
};

} // namespace pw::sim
