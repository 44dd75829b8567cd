#include "windows/mouse_over.h"

#include "runtime/runtime_state.h"
#include "runtime/thread_timers.h"

POINT g_ptMouseOver{};

// Not built yet: the window check. The procedure only stops its timer.
void pw::ProcessMouseOverTimerProc(HWND, unsigned, uintptr_t, unsigned long) {
    pw::KillThreadTimer(pw::runtime::kMouseOverTimer);
    g_uMouseOverTimer = 0;
}
