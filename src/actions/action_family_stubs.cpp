#include "actions/action_families.h"

// Movement to scroll and chords come with the states they keep (scrolling by movement,
// chord playback). Until then these actions leave the event to the system.

namespace pw::actions {

bool RunMovementToScrollAction(const ActionCall&) {
    return false;
}

bool RunChordAction(const ActionCall&) {
    return false;
}

} // namespace pw::actions
