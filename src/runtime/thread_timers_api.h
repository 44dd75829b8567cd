#pragma once

// Stopping the library's thread timers, which the main program asks for before it unloads
// the library.

#include <PallawickHook/support/export.h>

// Stops every running timer of the timer kinds.
PW_EXTERN_C void KillTimerThreadTimers();
