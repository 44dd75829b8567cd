#pragma once

// Removal of the library's low-level hooks.

#include "support/export.h"

// Unhooks the keyboard hook, then the mouse hook, where set, and restores the system
// cursors. Called by the hook thread on its way out and before a crash report.
PW_EXTERN_C void RemoveHooks();
