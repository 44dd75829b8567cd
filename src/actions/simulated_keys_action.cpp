#include "actions/action_families.h"
#include "actions/action_state.h"
#include "actions/button_processing.h"
#include "actions/key_repeat.h"
#include "actions/sticky_keys.h"
#include "input/send_keys.h"
#include "input/sim_modifiers.h"
#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "settings/action_data.h"
#include "settings/application_settings.h"
#include "support/logger.h"

namespace pw::actions {
namespace {

using settings::SendKeyMode;

// A profile whose keys are meant for its own window sends nothing while another window
// is in front. The front window may be the window's root, the root's owner, or a window
// owned by the root.
bool ProfileWindowIsActive(const ActionCall& call, const Char* keys) {
    if (!g_pCurrentApp || g_pCurrentApp->IsDefault() || !call.data->Active())
        return true;
    auto& windows = platform::GetWindows();
    HWND foreground = windows.ForegroundWindow();
    if (foreground == g_hLastWindow)
        return true;
    HWND root = windows.Ancestor(g_hLastWindow, platform::kGaRoot);
    HWND rootParent = windows.Parent(root);
    HWND foregroundParent = windows.Parent(foreground);
    CLogger::LogDebug(L"SimKeys: Checking active window: Current 0x%08x, Parent 0x%08x, Parent2 "
                      L"0x%08x, Foreground 0x%08x, Fore-Parent  0x%08x",
                      Low32(g_hLastWindow), Low32(root), Low32(rootParent), Low32(foreground),
                      Low32(foregroundParent));
    if (foreground == root || foreground == rootParent || foregroundParent == root)
        return true;
    CLogger::LogDebug(L"Not sending key sequence '%ls' as profile window is not active.", keys);
    return false;
}

bool ResetKeysSet(const ActionCall& call);

// Whether call is the release of a press whose keys or repeat are still going.
bool EndsWhatThePressBegan(const ActionCall& call, SendKeyMode mode) {
    if (!call.IsUp())
        return false;
    switch (mode) {
    case SendKeyMode::During:
        return ResetKeysSet(call);
    case SendKeyMode::Repeat:
        return g_nRepeatButton == call.button;
    case SendKeyMode::PressedAndReleased:
        return true;
    default:
        return false;
    }
}

void SetResetKeys(const ActionCall& call, bool value) {
    if (call.profile)
        call.profile->SetResetKeys(static_cast<MouseButtons>(call.button), call.layer, value);
}

bool ResetKeysSet(const ActionCall& call) {
    return call.profile &&
           call.profile->GetResetKeys(static_cast<MouseButtons>(call.button), call.layer);
}

void PlayWhole(const ActionCall& call, const Char* keys, int mode) {
    const POINT pt = call.Point();
    pw::SendKeyStateWhileDown(keys, &pt, mode);
    SetResetKeys(call, false);
}

// Keys held exactly as long as the button: pressed on the press, released on the
// release. A press while they are still held (its release was lost) sends nothing.
bool RunDuring(const ActionCall& call, const Char* keys, bool block) {
    const POINT pt = call.Point();
    const auto button = static_cast<MouseButtons>(call.button);
    if (call.IsDown()) {
        if (ResetKeysSet(call))
            return block;
        const bool pressed = pw::SendKeyStateWhileDown(button, keys, false, &pt);
        SetResetKeys(call, true);
        if (call.keysSent)
            *call.keysSent = true;
        return block && pressed;
    }
    if (call.IsUp() && ResetKeysSet(call)) {
        // Cleared first: keys that change the layer on their release would release them
        // again through the layer change.
        SetResetKeys(call, false);
        const bool released = pw::SendKeyStateWhileDown(button, keys, true, &pt);
        return block && released;
    }
    return block;
}

bool RunRepeat(const ActionCall& call, const Char* keys, bool block) {
    if (call.IsDown()) {
        PlayWhole(call, keys, input::kExecuteWhole);
        StartRepeat(call.button,
                    KeyRepeatInterval(*call.data, call.profile, call.button, call.layer));
        return block;
    }
    if (g_nRepeatButton == call.button)
        StopRepeat();
    return block;
}

} // namespace

bool RunSimulatedKeysAction(const ActionCall& call) {
    if (!call.data)
        return false;
    const Char* keys = call.data->GetKeys();
    const bool block = call.data->BlockMouse();
    const auto mode = static_cast<SendKeyMode>(call.data->KeyAction());
    // Departs from checking the front window for every event: a release that ends what its
    // press began (held keys, a repeat, the second half) runs wherever the focus went.
    if (!EndsWhatThePressBegan(call, mode) && !ProfileWindowIsActive(call, keys ? keys : L""))
        return true;

    switch (mode) {
    case SendKeyMode::Pressed:
    case SendKeyMode::ThreadDown:
        if (call.IsDown())
            PlayWhole(call, keys, input::kExecuteWhole);
        return block;
    case SendKeyMode::Released:
    case SendKeyMode::ThreadUp:
        if (call.IsUp())
            PlayWhole(call, keys, input::kExecuteWhole);
        return block;
    case SendKeyMode::PressedAndReleased:
        if (call.IsDown())
            PlayWhole(call, keys, input::kExecuteButtonDown);
        else if (call.IsUp())
            PlayWhole(call, keys, input::kExecuteButtonUp);
        return block;
    case SendKeyMode::During:
        return RunDuring(call, keys, block);
    case SendKeyMode::Repeat:
        return RunRepeat(call, keys, block);
    case SendKeyMode::StickyRepeat:
        return StickyRepeatKeys(call.Point(), call.button, call.kind, *call.data, call.profile,
                                call.layer);
    case SendKeyMode::StickyHold:
        return StickyHoldKeys(call.Point(), call.button, call.kind, *call.data, call.profile,
                              call.layer);
    }
    return block;
}

} // namespace pw::actions
