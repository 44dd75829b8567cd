#include "scroll/mouse_wheel.h"

#include "input/send_input.h"
#include "platform/input_record.h"
#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "scroll/wheel_target.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/thread_lock.h"
#include "windows/wheel_window.h"
#include "windows/window_from_point.h"

namespace {

// With activation on scroll, the window under the cursor comes to the front first; false
// when there is no window there.
bool ActivateUnderCursor() {
    CThreadLock lock(L"MouseWheel");
    if (!g_pSettings || !g_pSettings->ActivateOnScroll())
        return true;
    POINT pt{};
    GetPhysCursorPos(&pt);
    HWND window = RealWindowFromPoint(pt);
    if (!window)
        return false;
    pw::SetWheelWindow(window, &pt, false, false);
    pw::ActivateWindowUnderCursor(pw::platform::GetWindows().ForegroundWindow(),
                                  pw::windows::CachedWheelTarget().target, window);
    return true;
}

// The record carries the mouse hook's marker, so that the hook lets it pass untouched.
bool InjectTurn(uint32_t flags, int delta, const Char* name) {
    if (!ActivateUnderCursor())
        return false;
    if (!g_pSendInput) {
        CLogger::LogMessage(L"%ls: SendInput Thread is not available!", name);
        return false;
    }
    pw::platform::InputRecord record =
        pw::platform::InputRecord::Mouse(flags, static_cast<uint32_t>(delta));
    record.mouse.time = pw::platform::TickCount();
    record.mouse.extraInfo = reinterpret_cast<uintptr_t>(g_hMouseHook);
    ++g_nInjectCount;
    g_pSendInput->SendInputThreaded(1, &record, 0, record.mouse.time, true);
    return true;
}

} // namespace

bool pw::MouseWheel(int delta) {
    return InjectTurn(pw::platform::kMouseEventWheel, delta, L"MouseWheel");
}

bool pw::MouseTilt(int delta) {
    return InjectTurn(pw::platform::kMouseEventHWheel, delta, L"MouseTilt");
}
