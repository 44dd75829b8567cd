#pragma once

// The repeat of simulated keys and of wheel and scroll steps while a button is held:
// the interval, its randomisation, and the repeat timer.

#include "platform/handles.h"
#include "settings/actions.h"

#include <cstdint>

class CActionData;
class CApplicationSettings;

namespace pw::actions {

// Interval + or - about a tenth of it (at least 3 ms either way), drawn with draw(n),
// which returns 0 to n - 1.
unsigned RandomisedInterval(unsigned interval, unsigned (*draw)(unsigned n));
// The same with the C library's random numbers.
unsigned RandomisedInterval(unsigned interval);

// The first repeat's interval of a key set: the slot's repeat (or the system's default)
// plus the key delay and the waits and holds of the keys, randomised when the slot says.
unsigned KeyRepeatInterval(const CActionData& data, const CApplicationSettings* profile, int button,
                           int layer);

// Starts (or takes over) the repeat timer for button with interval ms.
void StartRepeat(int button, unsigned interval);
// Stops the repeat timer, whichever button it belongs to.
void StopRepeat();
// One step of a wheel, tilt or scroll-window action at pt (the window under pt is
// scrolled); false for other actions.
bool StepScrollAction(_ACTIONS action, POINT pt);

} // namespace pw::actions

namespace pw {

// The repeat timer's procedure: repeats the action of g_nRepeatButton and rearms itself.
void RepeatTimerProc(HWND window, unsigned message, uintptr_t id, unsigned long time);

} // namespace pw
