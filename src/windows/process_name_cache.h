#pragma once

// The names of the processes seen lately, so that moving between the windows of a few
// programs opens none of them again (opening a process and asking its image name is the
// costly part of a lookup). Keyed on the process id. An entry keeps one window of its
// process and is trusted only while that window exists and still belongs to the id: a
// window does not outlive its process, so it shows that the id was not reused. Cleared
// when the library starts and on a settings reload. Runs with the global lock held, which
// guards it.

#include "platform/handles.h"
#include "support/text.h"

namespace pw::windows {

// The name of process pid, which owns window, into name: from the cache when it knows the
// process, else by GetProcessName(lookupWindow, pid, ...), whose plain answers it keeps
// (not those of store-app hosts and frames, nor of the emulator that needs a hook
// reinstall). Leaves the last-lookup state as that lookup would.
bool ProcessNameOfWindow(HWND window, unsigned long pid, HWND lookupWindow, Char* name, int nameLen,
                         int callerId);

void ClearProcessNameCache();

} // namespace pw::windows
