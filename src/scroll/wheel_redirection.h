#pragma once

// Sending wheel and tilt events to the window under the cursor instead of the focused
// one.

#include "platform/handles.h"

namespace pw {

// Vertical wheel with its signed delta (already inverted when the profile inverts
// scrolling); true when the event was dealt with and must be swallowed.
bool ScrollVertical(MSLLHOOKSTRUCT* record, int delta);
// Tilt: repeat filter, button processing, then horizontal redirection; true = swallow.
bool ScrollHorizontal(MSLLHOOKSTRUCT* record, bool& passOriginal);
// The redirection half of ScrollHorizontal, for a tilt the filter let through and no
// action handled; true = swallow.
bool RedirectHorizontalWheel(MSLLHOOKSTRUCT* record);
// Whether one of the library's own injected wheel events may be sent to window.
bool IsInjectedScrollRedirectable(HWND window);

} // namespace pw
