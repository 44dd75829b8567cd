#pragma once

// Reloading the settings file, which the main program asks for after saving it. The
// reload runs under the global lock and keeps the current profile (by name); a file that
// does not load leaves the settings in force as they were.

#include <PallawickHook/support/export.h>

// Reloads the settings file (LoadSettings); always false.
PW_EXTERN_C bool UpdateSettings();
