#include "actions/sticky_keys.h"

#include "actions/action_state.h"
#include "actions/button_processing.h"
#include "actions/key_repeat.h"
#include "actions/sticky_buttons.h"
#include "input/send_input.h"
#include "input/send_keys.h"
#include "runtime/runtime_state.h"
#include "scroll/lock_axis.h"
#include "scroll/movement_to_scroll.h"
#include "settings/action_data.h"
#include "settings/application_settings.h"
#include "settings/mouse_buttons.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/thread_lock.h"

namespace {

constexpr int kLayers = 10;
constexpr int kKeyRepeat = 5;
constexpr int kKeyHold = 6;
// The send mode of a sticky repeat.
constexpr int kKeyRepeatMode = 6;

// Where a slot's keys live: the slot its action was resolved to.
using SlotHome = pw::actions::SlotOrigin;

SlotHome HomeOf(MouseButtons button, int layer) {
    return pw::actions::FollowSlot(g_pCurrentApp, button, layer);
}

template <typename Visit> void ForSlots(int layer, int button, Visit visit) {
    if (button >= 0) {
        visit(static_cast<MouseButtons>(button), layer);
        return;
    }
    for (int each = 0; each < kLayers; ++each)
        for (int index = mbLeft; index <= mbWheelDown; ++index)
            visit(static_cast<MouseButtons>(index), each);
}

void EndKeyRepeat(int layer, int button) {
    CThreadLock lock(L"ResetSticky STICKYKEYREPEAT");
    const bool running = g_uRepeatTimer != 0 || g_nRepeatButton >= 0;
    // Stopped by its kind, whether or not its id is known yet: a repeat just asked of the
    // timer thread has none, and would run on with nothing left to stop it.
    pw::actions::StopRepeat();
    g_uRepeatTimer = 0;
    if (running && g_pSendInput)
        g_pSendInput->FlushQueue();
    // Departs from ending the state only with a running timer: a layer change stops the
    // timer first, and a state left active would keep mouse-over switching off for good.
    g_nStickyState[kKeyRepeat] = 0;
    if (!g_pCurrentApp)
        return;
    ForSlots(layer, button, [](MouseButtons slot, int slotLayer) {
        const SlotHome home = HomeOf(slot, slotLayer);
        // A sticky hold keeps its held keys in the same place; they are not the repeat's.
        if (home.profile->SendKeyAction(slot, home.layer) == kKeyRepeatMode)
            home.profile->SetStuckKeys(slot, home.layer, nullptr);
    });
}

void ReleaseHeldKeys(POINT pt, int layer, int button) {
    CThreadLock lock(L"ResetSticky STICKYKEYHOLD");
    // The hold's keys may live in a profile that is no longer the current one.
    bool released = button < 0 && pw::actions::ReleaseStickyHoldKeys(pt);
    if (!g_pCurrentApp) {
        g_nStickyState[kKeyHold] = 0;
        return;
    }
    // The keys were stored in the slot the action was resolved to, which for a slot that
    // defers to the first layer is not the slot of the layer asked for.
    ForSlots(layer, button, [&](MouseButtons slot, int slotLayer) {
        const SlotHome home = HomeOf(slot, slotLayer);
        // A sticky repeat keeps its keys here too, but they are not held: playing their
        // release could press what the text only presses and releases in one phase.
        if (home.profile->SendKeyAction(slot, home.layer) == kKeyRepeatMode)
            return;
        if (pw::actions::LetGoOfStuckKeys(*home.profile, slot, home.layer, pt))
            released = true;
    });
    if (button < 0 || released)
        g_nStickyState[kKeyHold] = 0;
}

// Which sticky entry a slot's action keeps, or -1.
int StickyEntryOfSlot(CApplicationSettings* profile, MouseButtons button, int layer) {
    const _ACTIONS action = profile->GetActions(button, layer);
    switch (action) {
    case actSimulatedKeys: {
        const int mode = profile->SendKeyAction(button, layer);
        return mode == 6 ? kKeyRepeat : mode == 7 ? kKeyHold : -1;
    }
    case actMovementToScrollSticky:
        return pw::actions::kStickyMovementToScroll;
    default:
        return pw::actions::StickyButtonEntry(action);
    }
}

bool IsAxisDrag(_ACTIONS action) {
    return action == actStickyLeftButtonXAxis || action == actStickyLeftButtonYAxis;
}

} // namespace

void pw::ResetSticky(POINT pt, int which, int layer, int button) {
    if (which < 0 || which >= static_cast<int>(g_nStickyState.size()))
        return;
    const size_t entry = static_cast<size_t>(which);
    if (g_nStickyState[entry] > 0) {
        CLogger::LogDebug(L"Resetting sticky: [%ls]", pw::actions::StickyName(which));
        if (which <= 4) {
            CThreadLock lock(L"ResetSticky");
            pw::actions::ReleaseStickyButton(pt, which);
            g_LockAxis.Unlock(false);
            g_nStickyState[entry] = 0;
        } else if (which == kKeyRepeat) {
            EndKeyRepeat(layer, button);
        } else if (which == pw::actions::kStickyMovementToScroll) {
            g_MovementToScroll.active = false;
            g_nStickyState[entry] = 0;
            CLockAxis::ResetCursor();
        }
    }
    if (which == kKeyHold)
        ReleaseHeldKeys(pt, layer, button);
}

void pw::ResetAllSticky(POINT pt) {
    for (int which = 0; which < static_cast<int>(g_nStickyState.size()); ++which)
        pw::ResetSticky(pt, which, g_nCurrentLayer, -1);
}

void pw::ResetOtherSticky(POINT pt, int button, bool keepScroll) {
    if (!pw::AnyStickyActive() || !g_pCurrentApp)
        return;
    CThreadLock lock(L"ResetOtherSticky");
    const bool ownSlotIsLayer1 = pw::settings::IsValidButton(button) &&
                                 g_pCurrentApp->GetActions(static_cast<MouseButtons>(button),
                                                           g_nCurrentLayer) == actSameAsLayer1;
    for (int layer = 0; layer < kLayers; ++layer) {
        for (int index = mbLeft; index <= mbWheelDown; ++index) {
            if (index == button && (layer == g_nCurrentLayer || (layer == 0 && ownSlotIsLayer1)))
                continue;
            const auto slot = static_cast<MouseButtons>(index);
            if (g_pCurrentApp->GetActions(slot, layer) == actSameAsLayer1)
                continue;
            CApplicationSettings* owner = HomeOf(slot, layer).profile;
            const int which = StickyEntryOfSlot(owner, slot, layer);
            if (which < 0 || (which == pw::actions::kStickyMovementToScroll && keepScroll))
                continue;
            const bool keys = which == kKeyRepeat || which == kKeyHold;
            pw::ResetSticky(pt, which, layer, keys ? index : -1);
            // An axis drag shares the axis lock with the lock actions: a lock that no layer
            // key owns ends with it, whoever set it.
            if (IsAxisDrag(owner->GetActions(slot, layer)))
                g_LockAxis.Unlock(false);
        }
    }
}

void pw::ResetDuringKeys(POINT pt) {
    CThreadLock lock(L"ResetDuringKeys");
    if (!g_pCurrentApp)
        return;
    const bool officeMouse = g_pSettings && g_pSettings->OfficeMouse();
    const auto& presses = pw::actions::HeldPresses();
    for (int index = mbLeft; index <= mbWheelDown; ++index) {
        const auto button = static_cast<MouseButtons>(index);
        // The office mouse's second middle button has no slot of its own.
        if (button == mbTiltRight && officeMouse)
            continue;
        // Departs from looking at the current layer's slot only: the keys are held where the
        // press that put them down was resolved (another layer, the first layer or the
        // default profile), and they are the keys that press played.
        const pw::actions::HeldPress& press = presses[static_cast<size_t>(index)];
        const bool pressHeld = press.held && !press.ended && press.resolved.source;
        const SlotHome home = pressHeld ? SlotHome{press.resolved.source, press.resolved.layer}
                                        : HomeOf(button, g_nCurrentLayer);
        if (!home.profile->GetResetKeys(button, home.layer))
            continue;
        const Char* keys = pressHeld && press.resolved.data
                               ? press.resolved.data->GetKeys()
                               : home.profile->GetKeystrokes(button, home.layer);
        const String held(keys ? keys : L"");
        CLogger::LogDebug(L"Resetting keys for button %d", index);
        // Cleared first: keys that change the layer on their release come back here.
        home.profile->SetResetKeys(button, home.layer, false);
        pw::SendKeyStateWhileDown(button, held.c_str(), true, &pt);
    }
}

bool pw::AnyStickyActive() {
    for (uint16_t state : g_nStickyState)
        if (state)
            return true;
    return false;
}
