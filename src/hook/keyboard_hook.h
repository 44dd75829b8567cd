#pragma once

// The low-level keyboard hook procedure. It never swallows a key: it watches the layer
// modifier keys (switching layers or locking an axis while a combination is held), the
// release of Alt (which starts the keyboard's application switch check), any key release
// when sticky buttons are reset by keys, and impossible key codes (which mean the hook
// must be installed again).

#include "platform/handles.h"

#include <array>
#include <cstdint>

namespace pw {

// wParam is the keyboard message, lParam the event record (KBDLLHOOKSTRUCT). Always
// returns the next hook's result.
LRESULT KeyHookLLProc(int nCode, WPARAM wParam, LPARAM lParam);

} // namespace pw

namespace pw::hook {

// Delay after the release of Alt before the foreground window is checked.
inline constexpr unsigned kKeySwitchDelayMs = 200;

// Forgets every held key; done whenever the keyboard hook is (re)installed.
void ClearKeyState();
// ClearKeyState, and ends what the forgotten keys held: a modifier layer, a key-owned
// axis lock.
void ForgetHeldModifiers();
// Puts the keyboard hook's state back as at load: no key held, no modifier layer.
void ResetKeyboardHookState();

} // namespace pw::hook

// Held keys by virtual-key code: 0x80 while down. Touched only by the keyboard hook and
// its installation, both on the hook thread.
extern std::array<uint8_t, 256> g_KeyState;
// The layer in force before a layer modifier combination took effect; -1 when none.
// Guarded by the global lock.
extern int g_nLayerBeforeModifier;
