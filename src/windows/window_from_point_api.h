#pragma once

// Which window is under a point, with display scaling taken into account. The
// low-level mouse hook reports physical pixels while unaware programs' windows live in
// scaled coordinates; the physical-coordinate functions are optional system exports,
// looked up once at start-up.

#include <PallawickHook/platform/system_types.h>
#include <PallawickHook/support/export.h>

// Looks up the optional scaling functions among the modules already loaded and notes
// whether the system scales per monitor (Windows 8.1 and later).
PW_EXTERN_C void InitScalingFunctions();

// The window at a physical point: the physical lookup refined to the child under the
// point when the system has it, else the plain lookup.
PW_EXTERN_C HWND WindowFromPhysPoint(const POINT& pt);
// The cursor in physical pixels when the system can tell, else as the plain query does.
PW_EXTERN_C int GetPhysCursorPos(POINT* pt);
// The cursor converted for window's monitor scaling when the system can, else the
// plain cursor position.
PW_EXTERN_C int GetLogicalCursorPos(HWND window, POINT* pt);
// Divides a physical point by its monitor's scale on systems that scale per monitor;
// returns 0 and leaves pt alone elsewhere.
PW_EXTERN_C int ScaleWin81CursorPos(POINT* pt);
// The plain cursor position on systems that scale per monitor; returns 1 and leaves pt
// alone elsewhere.
PW_EXTERN_C int GetWin81CursorPos(POINT* pt);

// The smallest window containing pt among the descendants of the top-level window
// there. includeHidden 1 also considers hidden windows and returns the result as found;
// otherwise the first visible window up from it.
PW_EXTERN_C HWND WindowFromPointEx(POINT pt, int includeHidden);
// WindowFromPointEx, seeing through tooltips to the window they describe. Returns null
// at once when another thread holds the global lock.
PW_EXTERN_C HWND RealWindowFromPoint(const POINT& pt);
