#pragma once

// Integrity levels: a message posted to a window of a more privileged process is dropped
// by the system, so the library compares the target's level with its own before it posts
// scroll or wheel messages.

#include "platform/handles.h"

// The library's own process integrity level, read when the library is loaded;
// kUnknownIntegrity until then.
extern unsigned long g_dwOurIntegrity;

namespace pw::windows {

// Reads the library's own integrity level into g_dwOurIntegrity.
void ReadOwnIntegrity();
// The integrity level of the process that owns window; kUnknownIntegrity when it cannot
// be read (as for a protected or more privileged process).
unsigned long WindowIntegrity(HWND window);
// Whether the library may post to a process at level target: always from the high level
// up, otherwise only to a level no higher than its own. Logs both levels.
bool CanSendToProcess(unsigned long target);
// The same test without the log line.
bool MayPostTo(unsigned long target);

} // namespace pw::windows
