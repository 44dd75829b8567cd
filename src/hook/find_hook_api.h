#pragma once

// The main program's window finder: an extra low-level mouse hook, installed on the
// finder's own thread, that reports every cursor position to the finder's window.

#include <PallawickHook/platform/system_types.h>
#include <PallawickHook/support/export.h>

// Replaces any find hook by one that reports to target; true when the hook was set.
PW_EXTERN_C bool SetFindHook(HWND target);
// Forgets the target and unhooks; false only when unhooking failed.
PW_EXTERN_C bool RemoveFindHook();
