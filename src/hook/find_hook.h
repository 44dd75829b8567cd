#pragma once

// The main program's window finder: an extra low-level mouse hook, installed on the
// finder's own thread, that reports every cursor position to the finder's window.

#include "hook/find_hook_api.h"
#include "platform/handles.h"

namespace pw::hook {

// The find hook's procedure: posts "VESK_FindHover" (x, y) to the target for each
// movement and always passes the event on.
LRESULT FindHookLLProc(int nCode, WPARAM wParam, LPARAM lParam);

} // namespace pw::hook
