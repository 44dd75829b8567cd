#pragma once

// The settings program's part in button processing.

#include <PallawickHook/platform/system_types.h>
#include <PallawickHook/support/export.h>

// The settings program's setup window, told of profile changes and processed buttons.
PW_EXTERN_C void SetSetupWindow(HWND window);
