#include "actions/action_families.h"
#include "actions/action_state.h"
#include "actions/key_repeat.h"
#include "scroll/mouse_wheel.h"
#include "scroll/scroll_window.h"
#include "support/thread_lock.h"

namespace pw::actions {

bool StepScrollAction(_ACTIONS action, POINT pt) {
    switch (action) {
    case actMouseWheelUp:
        return pw::MouseWheel(120);
    case actMouseWheelDown:
        return pw::MouseWheel(-120);
    case actTiltLeft:
        return pw::MouseTilt(-120);
    case actTiltRight:
        return pw::MouseTilt(120);
    case actScrollWindowUp: {
        CThreadLock lock(L"RepeatTimerProc _SCROLL_UP");
        return pw::veskScrollWindow(pt, 120);
    }
    case actScrollWindowDown: {
        CThreadLock lock(L"RepeatTimerProc _SCROLL_DOWN");
        return pw::veskScrollWindow(pt, -120);
    }
    case actScrollWindowLeft: {
        CThreadLock lock(L"RepeatTimerProc _SCROLL_LEFT");
        return pw::veskHScrollWindow(pt, -120);
    }
    case actScrollWindowRight: {
        CThreadLock lock(L"RepeatTimerProc _SCROLL_RIGHT");
        return pw::veskHScrollWindow(pt, 120);
    }
    default:
        return false;
    }
}

bool RunWheelRepeatAction(const ActionCall& call) {
    if (call.IsDown()) {
        StepScrollAction(call.action, call.Point());
        StartRepeat(call.button, g_dwWheelRepeat);
        return true;
    }
    StopRepeat();
    return true;
}

} // namespace pw::actions
