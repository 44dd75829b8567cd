#include "actions/action_families.h"
#include "actions/action_state.h"
#include "actions/key_repeat.h"
#include "scroll/mouse_wheel.h"

namespace pw::actions {

// Scrolling the window under the cursor (the scroll-window actions) belongs to window
// scrolling, which is not built yet: those steps only keep their repeat running.
bool StepScrollAction(_ACTIONS action) {
    switch (action) {
    case actMouseWheelUp:
        return pw::MouseWheel(120);
    case actMouseWheelDown:
        return pw::MouseWheel(-120);
    case actTiltLeft:
        return pw::MouseTilt(-120);
    case actTiltRight:
        return pw::MouseTilt(120);
    case actScrollWindowUp:
    case actScrollWindowDown:
    case actScrollWindowLeft:
    case actScrollWindowRight:
        return true;
    default:
        return false;
    }
}

bool RunWheelRepeatAction(const ActionCall& call) {
    if (call.IsDown()) {
        StepScrollAction(call.action);
        StartRepeat(call.button, g_dwWheelRepeat);
        return true;
    }
    StopRepeat();
    return true;
}

} // namespace pw::actions
