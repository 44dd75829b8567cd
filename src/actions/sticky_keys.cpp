#include "actions/sticky_keys.h"

// No sticky buttons, sticky key sets or key repeat are kept yet: nothing to end.

void ResetSticky(POINT, int, int, int) {}

void ResetAllSticky(POINT) {}

void ResetOtherSticky(POINT, int, bool) {}

void ResetDuringKeys(POINT) {}

bool AnyStickyActive() {
    return false;
}
