#include "actions/action_families.h"
#include "runtime/runtime_state.h"
#include "scroll/lock_axis.h"

namespace pw::actions {
namespace {

void Lock(bool x) {
    if (x)
        g_LockAxis.LockX(false);
    else
        g_LockAxis.LockY(false);
}

void Unlock(bool x) {
    if (x)
        g_LockAxis.UnlockX(false);
    else
        g_LockAxis.UnlockY(false);
}

} // namespace

bool RunAxisLockAction(const ActionCall& call) {
    const bool x = call.action == actLockXAxisWhilePressed || call.action == actLockXAxisToggle;
    const bool toggle = call.action == actLockXAxisToggle || call.action == actLockYAxisToggle;
    if (!toggle) {
        if (call.IsDown())
            Lock(x);
        else
            Unlock(x);
        return true;
    }
    if (call.IsDown()) {
        if (x ? g_LockAxis.LockedX() : g_LockAxis.LockedY())
            Unlock(x);
        else
            Lock(x);
    }
    return true;
}

} // namespace pw::actions
