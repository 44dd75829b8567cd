#pragma once

// The primary screen's size, recorded when the main program reports a display change.

#include "hook/display_changed_api.h"

// Guarded by the global lock; 0 until the first report.
extern int g_nScreenWidth;
extern int g_nScreenHeight;
