#pragma once

// The settings model's root (CSettings, settings/settings_api.h) and the library's own
// settings object.

#include "settings/settings_api.h"

// The library's settings object: created when the library is loaded, deleted when it is
// unloaded.
extern CSettings* g_pSettings;
