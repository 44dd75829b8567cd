#pragma once

// The exported hook control: starting and stopping the library's threads and removing
// its low-level hooks.

#include <PallawickHook/platform/system_types.h>
#include <PallawickHook/support/export.h>

// Starts the timer thread and the hook thread (ending running ones first); true when the
// hook thread was started.
PW_EXTERN_C bool SetMouseHook();
// Stops both threads, the hook thread removing its hooks on the way out; with
// resetDefaults also puts back the system's button swap and wheel lines. False when no
// thread was running.
PW_EXTERN_C bool RemoveMouseHook(bool resetDefaults);
// Unhooks the keyboard hook, then the mouse hook, where set, and restores the system
// cursors. Called by the hook thread on its way out and before a crash report.
PW_EXTERN_C void RemoveHooks();
// Names a thread for debuggers.
PW_EXTERN_C void SetThreadName(DWORD threadId, const char* name);
