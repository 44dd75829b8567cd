#include "actions/button_processing.h"
#include "actions/process_button.h"
#include "platform/platform.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "support/thread_lock.h"

namespace {

// A hung setup window may hold up the hook this long at most.
constexpr unsigned kProcessChangedTimeoutMs = 50;

} // namespace

void SetSetupWindow(HWND window) {
    CThreadLock lock(L"SetSetupWindow");
    g_hSetupWindow = window;
}

namespace pw::actions {

bool SetupWindowLives() {
    PW_ASSERT_LOCK_HELD();
    return g_hSetupWindow && platform::GetWindows().Exists(g_hSetupWindow);
}

void NotifyProfileChanged(HWND hwnd, CApplicationSettings* profile) {
    PW_ASSERT_LOCK_HELD();
    if (!SetupWindowLives())
        return;
    uintptr_t result = 0;
    platform::GetMessages().SendMessageTimeout(
        g_hSetupWindow, runtime::Messages().processChanged, reinterpret_cast<WPARAM>(hwnd),
        reinterpret_cast<LPARAM>(profile), platform::kSmtoAbortIfHung, kProcessChangedTimeoutMs,
        &result);
}

void NotifyButtonProcessed(int button, int kind) {
    PW_ASSERT_LOCK_HELD();
    if (!SetupWindowLives())
        return;
    platform::GetMessages().PostMessage(g_hSetupWindow, runtime::Messages().buttonProcessed,
                                        static_cast<WPARAM>(button), kind);
}

} // namespace pw::actions
