#pragma once

// Activating the window under the cursor: the window being scrolled when the settings ask
// for activation on scroll.

#include "platform/handles.h"

namespace pw {

// Brings window to the front and activates it; nothing for a null window.
void ActivateWindow(HWND window);
// Activates window, which is being scrolled, when the cached wheel evaluation allows it:
// its root exists and is neither foreground nor target, the foreground window does not
// lie inside the root and the root may be activated. Browser content windows are
// activated only from another thread than the foreground window's.
void ActivateWindowForScroll(HWND window, HWND foreground, HWND target);

} // namespace pw
