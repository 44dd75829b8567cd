#pragma once

// The main program's report of a display change.

#include <PallawickHook/support/export.h>

// Records the primary screen's width and height.
PW_EXTERN_C void DisplayChanged();
