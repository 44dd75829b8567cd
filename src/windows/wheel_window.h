#pragma once

// The wheel's cached window evaluation: the window under the last wheel point, the
// profile that applies to it and what activation needs to know about it. A burst of
// notches within a box of 8 x 8 pixels around that point costs one window lookup.
//
// Guarded by the global lock.

#include "platform/handles.h"

class CApplicationSettings;

namespace pw::windows {

// One evaluation of the window under the wheel.
struct WheelTarget {
    POINT pt{};
    // left = x - 4, top = y - 4, right = x + 4, bottom = y + 4; right and bottom exclusive.
    RECT box{};
    HWND window = nullptr;
    HWND parent = nullptr;
    // The window that receives redirected messages.
    HWND target = nullptr;
    // The root of the window, recorded only when activation is configured and the root is
    // not a topmost window (a topmost root is never activated).
    HWND root = nullptr;
    bool rootOwnsForeground = false; // the foreground window lies inside the root
    bool rootNoActivate = false;     // the root has the no-activate extended style
    CApplicationSettings* profile = nullptr;
    int scrollMethod = 8;
    unsigned long processId = 0;
    unsigned long integrity = 0xFFFFFFFF;
};

// Half the side of the box around the cached point.
inline constexpr long kWheelBoxHalf = 4;

// The current evaluation.
const WheelTarget& CachedWheelTarget();
// The integrity level of window's process: the cached level for a window of the cached
// process, else the level read last for that process, else read now.
unsigned long WheelWindowIntegrity(HWND window);

} // namespace pw::windows

// The wheel target cache.
class CWheel {
  public:
    // Forgets the cached point, window and profile.
    static void Reset();
};

namespace pw {

// Evaluates hwnd for the wheel unless it is the cached window already (force evaluates
// it anyway); clearPoint forgets the cached point and box. True when a profile applies.
bool SetWheelWindow(HWND hwnd, const POINT* pt, bool clearPoint, bool force);
// Answers from the cache while pt lies in the cached box; otherwise looks up the window
// under pt, makes pt the cached point and evaluates the window. True when a profile
// applies.
bool CheckWheelWindow(const POINT* pt);

} // namespace pw
