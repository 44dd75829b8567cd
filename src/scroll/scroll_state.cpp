#include "scroll/scroll_state.h"

#include "scroll/movement_to_scroll.h"
#include "scroll/scroll_timers.h"

pw::scroll::ScrollTimerData* g_pScrollTimerData = nullptr;

namespace pw::scroll {

void ClearScrollTimerData() {
    delete g_pScrollTimerData;
    g_pScrollTimerData = nullptr;
}

void ResetScrollState() {
    ClearScrollTimerData();
    g_MovementToScroll = {};
}

} // namespace pw::scroll
