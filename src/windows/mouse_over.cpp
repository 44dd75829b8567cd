#include "windows/mouse_over.h"

#include "runtime/runtime_state.h"
#include "runtime/thread_timers.h"

POINT g_ptMouseOver{};

void pw::ProcessMouseOverTimerProc(HWND, unsigned, uintptr_t, unsigned long) {
    pw::KillThreadTimer(pw::runtime::kMouseOverTimer);
    g_uMouseOverTimer = 0;
}
