#pragma once

// Thread timers of the library. Every timer kind runs on the timer thread; other threads
// ask for one through the timer thread's messages. Without a timer thread (before the
// hooks are set, or in a single-threaded host) the timer runs on the calling thread.

#include "platform/handles.h"
#include "runtime/thread_timers_api.h"

#include <cstdint>

namespace pw::runtime {

// Timer kinds; each is also the id its timer is started with.
enum TimerKind : uintptr_t {
    kKeySwitchTimer = 0x1010,
    kRepeatTimer = 0x1011,
    kScrollLineTimer = 0x1012,
    kActivateTimer = 0x1013,
    kAutoSwitchTimer = 0x1014,
    kMouseOverTimer = 0x1015,
    kResetHookTimer = 0x1016,
    kJigglerTimer = 0x1017,
};

// The system's timer procedure shape: window (null), WM_TIMER, timer id, tick count.
using TimerProc = void (*)(HWND window, unsigned message, uintptr_t id, unsigned long time);

// The timer thread's side of "VESK_SetTimer" and "VESK_KillTimer": starts timer kind
// with the procedure its requester gave (a running mouse-over timer is left as it is;
// the scroll-line kind and kinds outside the table are refused), or stops it.
void StartRequestedTimer(uintptr_t kind, unsigned periodMs);
void StopRequestedTimer(uintptr_t kind);

} // namespace pw::runtime

namespace pw {

// Starts (or restarts) timer kind with period ms. Returns the timer id when it was started
// on the calling thread, 0 when the request went to the timer thread or failed. Either
// way the running timer's id ends up in the kind's global.
uintptr_t SetThreadTimer(uintptr_t kind, unsigned periodMs, pw::runtime::TimerProc proc);
// Stops timer kind, on the timer thread when there is one, and clears its stored id.
void KillThreadTimer(uintptr_t kind);

} // namespace pw
