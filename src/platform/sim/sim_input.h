#pragma once

#include "platform/platform.h"

#include <array>
#include <atomic>
#include <functional>
#include <mutex>
#include <vector>

namespace pw::sim {

// Records every injected input record and keeps the live key state: injected key and
// button records press and release keys as the system would, and a test (or the replay
// driver) sets the state of keys and buttons the user holds.
class SimInput final : public platform::Input {
  public:
    // A record with the virtual tick it was injected at.
    struct TimedRecord {
        uint32_t tick = 0;
        platform::InputRecord record;
    };

    explicit SimInput(platform::Clock& clock) : clock_(clock) {}

    unsigned SendInput(const platform::InputRecord* records, unsigned count) override;
    LRESULT CallNextHook(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) override;
    short AsyncKeyState(int virtualKey) override;

    void SetKeyDown(int virtualKey, bool down);
    // Everything injected since the start (or the last ClearInjected).
    std::vector<platform::InputRecord> Injected() const;
    void ClearInjected();
    // Records injected since the last call, for a driver that feeds them back through the
    // hook the way the system delivers them after the hook procedure returns.
    std::vector<platform::InputRecord> TakePending();
    // TakePending with the tick of each record.
    std::vector<TimedRecord> TakePendingTimed();
    int NextHookCalls() const { return nextHookCalls_.load(); }
    // When set, SendInput takes no record, as the system does when input is blocked.
    std::atomic<bool> refuseInput{false};
    // Called when an injected Ctrl+C reaches the window in front (the desktop copies its
    // selection to the clipboard). Set before any input is injected.
    void SetCopyHandler(std::function<void()> handler) { copyHandler_ = std::move(handler); }

  private:
    void ApplyToKeyState(const platform::InputRecord& record);

    platform::Clock& clock_;
    mutable std::mutex mutex_;
    std::vector<platform::InputRecord> injected_;
    std::vector<TimedRecord> pending_;
    std::array<std::atomic<bool>, 256> down_{};
    std::atomic<int> nextHookCalls_{0};
    std::function<void()> copyHandler_;
};

} // namespace pw::sim
