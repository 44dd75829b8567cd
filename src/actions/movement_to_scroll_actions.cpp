#include "actions/action_families.h"
#include "actions/action_state.h"
#include "actions/process_button.h"
#include "input/send_input.h"
#include "runtime/runtime_state.h"
#include "scroll/lock_axis.h"
#include "scroll/movement_to_scroll.h"
#include "settings/settings.h"
#include "support/logger.h"

namespace pw::actions {
namespace {

using scroll::MovementAxisLock;

bool ChangesCursor() {
    return g_pSettings && g_pSettings->MovementToScrollCursor();
}

void Start(POINT pt, bool resetLock) {
    scroll::StartMovementToScroll(pt);
    if (resetLock)
        g_MovementToScroll.lockState = MovementAxisLock::None;
    if (ChangesCursor())
        g_LockAxis.ChangeCursor(g_hScrollCursor);
}

void Stop(bool flush) {
    if (flush && g_pSendInput)
        g_pSendInput->FlushQueue();
    g_MovementToScroll.active = false;
    g_MovementToScroll.lockState = MovementAxisLock::None;
    if (ChangesCursor())
        CLockAxis::ResetCursor();
}

bool RunHeld(const ActionCall& call) {
    if (call.IsDown())
        Start(call.Point(), true);
    else
        Stop(true);
    return true;
}

bool RunSticky(const ActionCall& call) {
    uint16_t& state = g_nStickyState[kStickyMovementToScroll];
    if (call.IsDown()) {
        if (state == 1) {
            CLogger::LogDebug(L"Sticky Movement to Scroll: Ignore button down");
            state = 2;
            return true;
        }
        CLogger::LogDebug(L"Sticky Movement to Scroll: Button *DOWN*");
        Start(call.Point(), true);
        state = 1;
        return true;
    }
    if (!call.IsUp())
        return false;
    if (!DownWasHandled(call.button)) {
        CLogger::LogDebug(L"Sticky Movement to Scroll: Button UP with no button down!");
        return false;
    }
    switch (state) {
    case 0:
        CLogger::LogDebug(L"Sticky Movement to Scroll: Seen button up without down - initiate "
                          L"sticky mode.");
        Start(call.Point(), false);
        state = 1;
        return true;
    case 1:
        CLogger::LogDebug(L"Sticky Movement to Scroll: Ignore button up");
        return true;
    case 2:
        CLogger::LogDebug(L"Sticky Movement to Scroll: Button *UP*");
        Stop(false);
        state = 0;
        return true;
    default:
        return false;
    }
}

} // namespace

bool RunMovementToScrollAction(const ActionCall& call) {
    const _ACTIONS action = call.action;
    const bool sticky = action == actMovementToScrollSticky ||
                        action == actMovementToScrollStickyLockAxis ||
                        action == actMovementToScrollInvertedSticky ||
                        action == actMovementToScrollInvertedStickyLockAxis;
    g_MovementToScroll.inverted = action == actMovementToScrollInverted ||
                                  action == actMovementToScrollInvertedLockAxis ||
                                  action == actMovementToScrollInvertedSticky ||
                                  action == actMovementToScrollInvertedStickyLockAxis;
    g_MovementToScroll.axisLocking =
        action == actMovementToScrollLockAxis || action == actMovementToScrollStickyLockAxis;
    return sticky ? RunSticky(call) : RunHeld(call);
}

} // namespace pw::actions
