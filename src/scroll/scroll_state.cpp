#include "scroll/scroll_state.h"

#include "scroll/movement_to_scroll.h"
#include "scroll/scroll_timers.h"

namespace pw::scroll {

void ResetScrollState() {
    ClearScrollTimerData();
    g_MovementToScroll = {};
}

} // namespace pw::scroll
