#include "actions/action_families.h"

// Sticky buttons, axis locks, movement to scroll and chords come with the states they
// keep (sticky mouse buttons, the axis lock, scrolling by movement, chord playback).
// Until then these actions leave the event to the system.

namespace pw::actions {

bool RunStickyAction(const ActionCall&) {
    return false;
}

bool RunAxisLockAction(const ActionCall&) {
    return false;
}

bool RunMovementToScrollAction(const ActionCall&) {
    return false;
}

bool RunChordAction(const ActionCall&) {
    return false;
}

} // namespace pw::actions
