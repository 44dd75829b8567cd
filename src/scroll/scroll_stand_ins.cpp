// The scroll layer's pieces that are not built yet (see "Not built yet" in the README):
// the tilt path's filter, the timer-queue timers of a held wheel or tilt, and the cursor
// shapes of an axis lock. Each keeps its interface and does nothing.

#include "scroll/lock_axis.h"
#include "scroll/scroll_timers.h"
#include "scroll/wheel_redirection.h"

#include <array>
#include <cstddef>

bool pw::ScrollHorizontal(MSLLHOOKSTRUCT*, bool&) {
    return false;
}

void CLockAxis::ChangeCursor(HICON) {}

namespace {

// The queue timers only remember whether a slot was started; nothing fires.
std::array<bool, 3> g_bSlotRunning{};

bool ValidSlot(int slot) {
    return slot >= 0 && slot < static_cast<int>(g_bSlotRunning.size());
}

} // namespace

bool pw::StartQTTimer(unsigned, QueueTimerCallback, int slot) {
    if (!ValidSlot(slot))
        return false;
    g_bSlotRunning[static_cast<size_t>(slot)] = true;
    return true;
}

bool pw::StopQTTimer(int slot) {
    if (!ValidSlot(slot))
        return false;
    const bool running = g_bSlotRunning[static_cast<size_t>(slot)];
    g_bSlotRunning[static_cast<size_t>(slot)] = false;
    return running;
}

void pw::VScrollTimerCallback(void*, unsigned char) {}
