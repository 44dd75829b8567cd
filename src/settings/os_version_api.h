#pragma once

// The running Windows version as one bit, used to gate actions that exist only on some
// versions.

#include <PallawickHook/support/export.h>

#include <cstdint>

enum _ActionOSVersion : int32_t {
    osUnknown = 0,      // the version query failed
    osWindows2000 = 1,  // 5.0
    osWindowsXP = 2,    // 5.x, x not 0
    osWindowsVista = 4, // 6.0
    osWindows7 = 8,     // 6.1
    osWindows8 = 16,    // 6.2
    osWindows81 = 32,   // 6.3
    osWindows10 = 64,   // 6.4 and 10.0
    osOtherVersion = 255,
};

PW_EXTERN_C _ActionOSVersion GetOSVersion();
