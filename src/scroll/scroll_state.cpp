#include "scroll/scroll_state.h"

#include "scroll/lock_axis.h"
#include "scroll/movement_to_scroll.h"
#include "scroll/scroll_timers.h"
#include "scroll/tilt_repeat_filter.h"

pw::scroll::ScrollTimerData* g_pScrollTimerData = nullptr;

namespace pw::scroll {

void ClearScrollTimerData() {
    delete g_pScrollTimerData;
    g_pScrollTimerData = nullptr;
}

void ResetScrollState() {
    StopScrollTimers();
    ClearScrollTimerData();
    g_dwTiltFirst = 0;
    g_dwTiltLast = 0;
    g_MovementToScroll = {};
    // A library loaded afresh has no axis locked.
    g_LockAxis.Unlock(true);
    g_LockAxis.Unlock(false);
}

} // namespace pw::scroll
