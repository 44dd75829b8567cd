#include "actions/action_families.h"
#include "actions/sticky_buttons.h"
#include "runtime/runtime_state.h"
#include "scroll/lock_axis.h"

namespace pw::actions {
namespace {

// A sticky left drag that follows one axis: the other axis is locked while it lasts.
bool RunAxisDrag(const ActionCall& call, bool followX) {
    int change = 0;
    if (!pw::Sticky(call.Point(), call.hwnd, call.button, 0, call.kind, &change))
        return false;
    if (change == 1) {
        g_LockAxis.LockForDrag(!followX);
    } else if (change == 2) {
        // Lets go of the drag's lock only: a key's lock taken since keeps its own.
        g_LockAxis.Unlock(false);
    }
    return true;
}

} // namespace

bool RunStickyAction(const ActionCall& call) {
    switch (call.action) {
    case actStickyLeftButtonXAxis:
        return RunAxisDrag(call, true);
    case actStickyLeftButtonYAxis:
        return RunAxisDrag(call, false);
    default:
        break;
    }
    int change = 0;
    const int which = StickyButtonEntry(call.action);
    if (!pw::Sticky(call.Point(), call.hwnd, call.button, which, call.kind, &change))
        return false;
    // Departs from leaving the lock alone: the plain sticky left click that ends an axis
    // drag begun by another button would otherwise leave the drag's axis locked for good.
    if (change == 2 && which == 0)
        g_LockAxis.EndDrag();
    return true;
}

} // namespace pw::actions
