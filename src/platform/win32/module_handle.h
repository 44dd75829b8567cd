#pragma once

// The library's own module, as the loader handed it to DllMain.

#include "platform/handles.h"

namespace pw::win32 {

// Used to install hooks and load resources. Falls back to a lookup by address when the
// code runs before DllMain has been called.
HINSTANCE ModuleHandle();
// Called by DllMain on process attach.
void SetModuleHandle(HINSTANCE module);

} // namespace pw::win32
