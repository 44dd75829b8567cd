#include "scroll/scroll_timers.h"

#include <array>
#include <cstddef>

pw::scroll::ScrollTimerData* g_pScrollTimerData = nullptr;

namespace {

std::array<bool, 3> g_bSlotRunning{};

bool ValidSlot(int slot) {
    return slot >= 0 && slot < static_cast<int>(g_bSlotRunning.size());
}

} // namespace

namespace pw::scroll {

void ClearScrollTimerData() {
    delete g_pScrollTimerData;
    g_pScrollTimerData = nullptr;
}

} // namespace pw::scroll

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
