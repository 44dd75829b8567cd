#pragma once

// Button processing as the scroll layer reaches it. ProcessButton belongs to the actions
// layer above, so the library start installs it here; the tilt path and the held-scroll
// timers call it through ProcessScrollButton.

#include "platform/handles.h"

namespace pw::scroll {

// Event kinds of a button event.
inline constexpr int kEventDown = 1;
inline constexpr int kEventUp = 2;

// The shape of ProcessButton: true when the event was handled and must be swallowed.
using ButtonProcessor = bool (*)(int button, int kind, bool skipWindowCheck, MSLLHOOKSTRUCT* record,
                                 bool* passOriginal, bool* keysSent, bool* injected);

// Whether a button's press took an action and waits for its release.
using PressQuery = bool (*)(int button);

void InstallButtonProcessor(ButtonProcessor processor, PressQuery pressQuery);

// Runs the installed processor; false (not handled) while none is installed.
bool ProcessScrollButton(int button, int kind, bool skipWindowCheck, MSLLHOOKSTRUCT* record,
                         bool* passOriginal, bool* keysSent, bool* injected);
// Runs the installed press query; false while none is installed.
bool PressAwaitsRelease(int button);

} // namespace pw::scroll
