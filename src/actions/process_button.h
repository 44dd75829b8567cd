#pragma once

// From a button event to its profile, layer and action: the bridge between the mouse
// hook and the configured actions. Runs on the hook thread with the global lock held.

#include "platform/handles.h"
#include "support/export.h"

#include <array>

class CApplicationSettings;
class CVESKChord;

// Event kinds handed from the hook procedures.
namespace pw::actions {
inline constexpr int kKindDown = 1;
inline constexpr int kKindUp = 2;
inline constexpr int kKindDoubleClick = 3;

// Whether the last press of button was handled by an action (false for invalid buttons).
bool DownWasHandled(int button);
} // namespace pw::actions

namespace pw {

// Resolves and carries out the action of button for an event of kind; true when the event
// was handled and the hook must swallow it. On entry *passOriginal and *keysSent are
// cleared; *injected is left as the caller set it.
bool ProcessButton(int button, int kind, bool skipWindowCheck, MSLLHOOKSTRUCT* record,
                   bool* passOriginal, bool* keysSent, bool* injected);
// Makes profile (null allowed) the current profile.
void SetCurrentProfile(CApplicationSettings* profile);
// The asynchronous state of the mouse buttons and modifier keys, as bit flags.
unsigned GetKeyStateFlags();

} // namespace pw

// The settings program's setup window, told of profile changes and processed buttons.
PW_EXTERN_C void SetSetupWindow(HWND window);
