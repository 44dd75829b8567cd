#include "scroll/mouse_wheel.h"

#include "input/send_input.h"
#include "platform/input_record.h"
#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "support/logger.h"

namespace {

// The record carries the mouse hook's marker, so that the hook lets it pass untouched.
bool InjectTurn(uint32_t flags, int delta, const Char* name) {
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

// Activating the window under the cursor first (the settings' activate-on-scroll) belongs
// to wheel redirection and is not done here yet.
bool pw::MouseWheel(int delta) {
    return InjectTurn(pw::platform::kMouseEventWheel, delta, L"MouseWheel");
}

bool pw::MouseTilt(int delta) {
    return InjectTurn(pw::platform::kMouseEventHWheel, delta, L"MouseTilt");
}
