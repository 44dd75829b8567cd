#pragma once

// One-shot timers that send the delayed "up" half of a wheel or tilt burst held as one
// long press, and the pending record they send it for.

#include "platform/handles.h"

class CApplicationSettings;

namespace pw::scroll {

inline constexpr int kHorizontalSlot = 1;
inline constexpr int kVerticalSlot = 2;

// The pending "up" half of a held wheel or tilt.
struct ScrollTimerData {
    int type = 0;    // 1 horizontal, 2 vertical, 0 blank
    int button = -1; // MouseButtons value, -1 blank
    POINT pt{};
    bool passOriginal = false;
    CApplicationSettings* profile = nullptr;
};

// Frees the pending record, if any.
void ClearScrollTimerData();
// Sends the "up" half of the pending record at once, stops its timer and frees it. A new
// held wheel or tilt calls it before it makes its own record, so that no "up" is lost.
void EndPendingScroll();
// Stops the timers of both slots; their pending "up" half is not sent.
void StopScrollTimers();

} // namespace pw::scroll

// The shape of a system timer-queue callback: the slot number as parameter, and whether
// the timer fired (rather than was cancelled).
using QueueTimerCallback = void (*)(void* parameter, unsigned char fired);

namespace pw {

// Starts a one-shot timer in slot, due after ms; false when it could not be created.
bool StartQTTimer(unsigned ms, QueueTimerCallback callback, int slot);
// Stops the timer of slot; returns whether the slot held one.
bool StopQTTimer(int slot);
// Send the pending "up" half when the wheel has stopped turning, or the tilt is let go.
// They run on a thread of the timer queue and take the global lock.
void VScrollTimerCallback(void* parameter, unsigned char fired);
void HScrollTimerCallback(void* parameter, unsigned char fired);

} // namespace pw

// Owned by the library; replaced whenever a new held wheel or tilt begins.
extern pw::scroll::ScrollTimerData* g_pScrollTimerData;
