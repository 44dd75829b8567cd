#pragma once

// The entry points through which the library types keys. Each hands its input to
// g_pSendInput and returns at once; without a sender they log and return false.

#include "platform/handles.h"
#include "settings/mouse_buttons.h"
#include "support/text.h"

#include <cstdint>

namespace pw {

// Parses keys and plays every token whole in mode (kExecute...). pt is the mouse event's
// point (null: 0, 0). False for an empty or unparsable text, or without a sender.
bool SendKeyStateWhileDown(const Char* keys, const POINT* pt, int mode);
// Plays the part of the tokens that belongs to the button going down (isUp false: first
// to last) or coming up (last to first). button is not used.
bool SendKeyStateWhileDown(MouseButtons button, const Char* keys, bool isUp, const POINT* pt);

// Taps one virtual key with the modifier keys of modifiers (kMod... bits); scan 0 looks
// the scan code up.
bool SendKey(int virtualKey, bool extended, uint32_t modifiers, uint32_t scan);
// Taps the key that types character in the layout of the window under the cursor.
bool SendKey(Char character, uint32_t modifiers);

// Application commands (kAppCommand...), posted to window, or typed as the browser and
// media key where the target does not take the message (store apps for commands 1 to 6,
// the remote desktop client). True when the command was typed for a store app.
bool SendAppCommand(HWND window, int command);

} // namespace pw

namespace pw::input {
inline constexpr int kAppCommandBrowserBack = 1;
inline constexpr int kAppCommandBrowserFavorites = 6;
// The browser and media key of command n is kAppCommandKeyBase + n (0xA6 back, ...).
inline constexpr int kAppCommandKeyBase = 0xA5;
} // namespace pw::input
