#include "actions/action_state.h"
#include "actions/key_repeat.h"
#include "actions/process_button.h"
#include "actions/sticky_keys.h"
#include "input/send_keys.h"
#include "input/sim_modifiers.h"
#include "settings/action_data.h"
#include "settings/application_settings.h"
#include "support/logger.h"

namespace pw::actions {
namespace {

constexpr size_t kKeyRepeat = 5;
constexpr size_t kKeyHold = 6;

void StoreStuckKeys(CApplicationSettings* profile, int button, int layer, const Char* keys) {
    if (profile)
        profile->SetStuckKeys(static_cast<MouseButtons>(button), layer, keys);
}

// Where the keys of the last sticky hold are kept: resets scan the current profile's
// slots, and the hold may have begun under another profile.
struct HoldHome {
    CApplicationSettings* profile = nullptr;
    int button = 0;
    int layer = 0;
};
HoldHome g_holdHome;

bool PressAndHold(POINT pt, int button, const Char* keys, CApplicationSettings* profile, int layer,
                  bool block) {
    // The keys go down first: a layer switch among them resets sticky states, and must not
    // find the hold active before it holds anything.
    const bool pressed =
        pw::SendKeyStateWhileDown(static_cast<MouseButtons>(button), keys, false, &pt);
    g_nStickyState[kKeyHold] = 1;
    StoreStuckKeys(profile, button, layer, keys);
    g_holdHome = {profile, button, layer};
    return block && pressed;
}

} // namespace

bool ReleaseStickyHoldKeys(POINT pt) {
    const HoldHome home = g_holdHome;
    g_holdHome = {};
    return home.profile &&
           LetGoOfStuckKeys(*home.profile, static_cast<MouseButtons>(home.button), home.layer, pt);
}

bool LetGoOfStuckKeys(CApplicationSettings& profile, MouseButtons button, int layer, POINT pt) {
    const Char* stuck = profile.GetStuckKeys(button, layer);
    if (!stuck || !*stuck)
        return false;
    const String held(stuck);
    CLogger::LogDebug(L"%ls Sticky: Resetting stuck keys '%ls'", L"Key Hold", held.c_str());
    // Cleared first: keys that change the layer on their release come back to the reset.
    profile.SetStuckKeys(button, layer, nullptr);
    pw::SendKeyStateWhileDown(button, held.c_str(), true, &pt);
    return true;
}

void ForgetStickyHold() {
    g_holdHome = {};
}

bool StickyRepeatKeys(POINT pt, int button, int kind, const CActionData& data,
                      CApplicationSettings* profile, int layer) {
    const bool block = data.BlockMouse();
    if (kind != kKindDown)
        return block;
    if (g_nStickyState[kKeyRepeat] && g_nRepeatButton == button) {
        g_nStickyState[kKeyRepeat] = 0;
        StopRepeat();
        return block;
    }
    if (g_nStickyState[kKeyRepeat]) {
        g_nRepeatButton = button;
        return block;
    }
    const Char* keys = data.GetKeys();
    pw::SendKeyStateWhileDown(keys, &pt, input::kExecuteWhole);
    g_nStickyState[kKeyRepeat] = 1;
    const unsigned interval = KeyRepeatInterval(data, profile, button, layer);
    StoreStuckKeys(profile, button, layer, keys);
    StartRepeat(button, interval);
    return block;
}

bool StickyHoldKeys(POINT pt, int button, int kind, const CActionData& data,
                    CApplicationSettings* profile, int layer) {
    const bool block = data.BlockMouse();
    const Char* keys = data.GetKeys();
    uint16_t& state = g_nStickyState[kKeyHold];
    if (kind == kKindDown) {
        if (state == 1) {
            CLogger::LogDebug(L"%ls Sticky: Ignore button down", L"Key Hold");
            state = 2;
            return block;
        }
        CLogger::LogDebug(L"%ls Sticky: Button *DOWN*", L"Key Hold");
        return PressAndHold(pt, button, keys, profile, layer, block);
    }
    if (kind != kKindUp)
        return block;
    if (!DownWasHandled(button)) {
        CLogger::LogDebug(L"%ls Sticky: Button up without down!", L"Key Hold");
        return block;
    }
    switch (state) {
    case 0:
        // Departs from starting the hold on a release the hold never saw: a release is
        // handled by its own press's action, so an idle state here means a reset ended
        // the hold in between, and starting it again would hold keys nothing resets.
        CLogger::LogDebug(L"%ls Sticky: Button up after a reset - nothing to do.", L"Key Hold");
        return block;
    case 1:
        CLogger::LogDebug(L"%ls Sticky: Ignore button up", L"Key Hold");
        return block;
    default: {
        CLogger::LogDebug(L"%ls Sticky *UP*", L"Key Hold");
        const Char* stuck =
            profile ? profile->GetStuckKeys(static_cast<MouseButtons>(button), layer) : nullptr;
        if (!stuck || !*stuck) {
            // Departs from leaving the hold on: the second press came from another button's
            // hold, which shares the state, and its keys would stay down with the state idle.
            if (!ReleaseStickyHoldKeys(pt))
                return block;
            state = 0;
            return block;
        }
        const String held(stuck);
        // Cleared first: keys that change the layer on their release come back to the reset.
        StoreStuckKeys(profile, button, layer, nullptr);
        state = 0;
        const bool released =
            pw::SendKeyStateWhileDown(static_cast<MouseButtons>(button), held.c_str(), true, &pt);
        return block && released;
    }
    }
}

} // namespace pw::actions
