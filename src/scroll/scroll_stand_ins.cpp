// The scroll layer's pieces that are not built yet (see "Not built yet" in the README):
// wheel redirection, the wheel accumulator and the timer-queue timers of a held wheel or
// tilt. Each keeps its interface and does nothing.

#include "scroll/scroll_timers.h"
#include "scroll/wheel_redirection.h"

#include <array>
#include <cstddef>

bool pw::ScrollVertical(MSLLHOOKSTRUCT*, int) {
    return false;
}

bool pw::ScrollHorizontal(MSLLHOOKSTRUCT*, bool&) {
    return false;
}

bool pw::RedirectHorizontalWheel(MSLLHOOKSTRUCT*) {
    return false;
}

bool pw::IsInjectedScrollRedirectable(HWND) {
    return false;
}

// Nothing is accumulated or cached, so there is nothing to forget.
void CWheel::Reset() {}

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
