#pragma once

// Installing and re-installing the library's low-level hooks. Runs on the hook thread,
// whose message loop then runs the hook procedures.

#include "platform/handles.h"

namespace pw::hook {

// Installs the mouse hook and, once that is in place, the keyboard hook (when there is
// a keyboard hook procedure). The caller holds the global lock.
void InstallHooks();
// Carries out a "VESK_ResetHook" code: kWpMouseHook, kWpKeyHook or kWpBoth re-install
// those hooks under the global lock; other codes are ignored.
void ReinstallHooks(WPARAM code);

} // namespace pw::hook
