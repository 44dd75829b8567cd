#pragma once

// The integrity level of a process, as the main program asks for it.

#include <PallawickHook/platform/system_types.h>
#include <PallawickHook/support/export.h>

// The RID of the process token's mandatory label (0x2000 medium, 0x3000 high, ...), or
// 0xFFFFFFFF when it cannot be read.
PW_EXTERN_C unsigned long GetProcessIntegrityLevel(HANDLE process);
