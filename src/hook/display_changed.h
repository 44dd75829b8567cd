#pragma once

// The primary screen's size, recorded when the main program reports a display change.

#include "support/export.h"

// Guarded by the global lock; 0 until the first report.
extern int g_nScreenWidth;
extern int g_nScreenHeight;

// Records the primary screen's width and height.
PW_EXTERN_C void DisplayChanged();
