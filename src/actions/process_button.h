#pragma once

// From a button event to its profile, layer and action: the bridge between the mouse
// hook and the configured actions. Runs on the hook thread with the global lock held.

#include "actions/action_state.h"
#include "actions/process_button_api.h"
#include "platform/handles.h"

#include <array>

class CApplicationSettings;
class CVESKChord;

namespace pw {

// Resolves and carries out the action of button for an event of kind; true when the event
// was handled and the hook must swallow it. On entry *passOriginal and *keysSent are
// cleared; *injected is left as the caller set it.
bool ProcessButton(int button, int kind, bool skipWindowCheck, MSLLHOOKSTRUCT* record,
                   bool* passOriginal, bool* keysSent, bool* injected);
// Runs the release half of every press whose release has not come, at pt, before the
// settings they were resolved in go or the hooks that would see the release are removed.
// The release itself, when it comes, is swallowed if its press was.
void EndHeldPresses(POINT pt);
// Whether button's press was processed, took an action and waits for its release.
bool PressAwaitsRelease(int button);
// Makes profile (null allowed) the current profile.
void SetCurrentProfile(CApplicationSettings* profile);
// The asynchronous state of the mouse buttons and modifier keys, as bit flags.
unsigned GetKeyStateFlags();

} // namespace pw
