#pragma once

// Reloading the settings file, which the main program asks for after saving it. The
// reload runs under the global lock and keeps the current profile (by name); a file that
// does not load leaves the settings in force as they were.

#include "hook/settings_reload_api.h"

// True from library load until the first settings load has been tried: only then does a
// parse error ask the user what to do. Guarded by the global lock.
extern bool g_bFirstSettingsLoad;

namespace pw::hook {

// The reload behind UpdateSettings; true when the file loaded.
bool LoadSettings();
// Loads the settings file from the settings folder into g_pSettings and makes the default
// profile current; on the first load a parse error shows a message box (Abort ends the
// process, Retry reads the file again, Ignore gives up).
bool LoadXMLSettings();

} // namespace pw::hook
