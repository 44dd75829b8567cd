#include "actions/action_families.h"
#include "actions/action_state.h"
#include "actions/key_repeat.h"
#include "scroll/mouse_wheel.h"

namespace pw::actions {
namespace {

// One step of the action: a wheel or tilt turn. Scrolling the window under the cursor
// (the scroll-window actions) is done by window scrolling, which is not built yet, so
// those steps only repeat their timer.
void Step(_ACTIONS action) {
    switch (action) {
    case actMouseWheelUp:
        MouseWheel(120);
        break;
    case actMouseWheelDown:
        MouseWheel(-120);
        break;
    case actTiltLeft:
        MouseTilt(-120);
        break;
    case actTiltRight:
        MouseTilt(120);
        break;
    default:
        break;
    }
}

} // namespace

bool RunWheelRepeatAction(const ActionCall& call) {
    if (call.IsDown()) {
        Step(call.action);
        StartRepeat(call.button, g_dwWheelRepeat);
        return true;
    }
    StopRepeat();
    return true;
}

} // namespace pw::actions
