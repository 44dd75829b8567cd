#include "actions/action_families.h"
#include "actions/action_state.h"
#include "actions/process_button.h"
#include "actions/process_button_action.h"
#include "actions/send_button.h"
#include "runtime/runtime_state.h"
#include "settings/action_data.h"
#include "settings/chord.h"
#include "support/logger.h"

#include <memory>

namespace pw::actions {
namespace {

// Plays the chord set's entry of button with the current call's context.
bool PlayEntry(const ActionCall& call, CVESKChords& chords, int button, int kind) {
    CVESKChord* entry = chords.GetChord(static_cast<MouseButtons>(button));
    if (!entry)
        return false;
    std::unique_ptr<CActionData> data(entry->GetActionData());
    return pw::ProcessButtonAction(button, entry->GetAction(), data.get(), call.profile, kind,
                                   call.layer, call.skipWindowCheck, call.hwnd, call.record,
                                   call.passOriginal, call.keysSent, call.injected);
}

bool IsPhysicallyDown(int button) {
    return button >= 0 && static_cast<size_t>(button) < g_bButtonDown.size() &&
           g_bButtonDown[static_cast<size_t>(button)];
}

bool PressChordButton(const ActionCall& call) {
    CVESKChords* chords = call.data ? call.data->GetChords() : nullptr;
    CVESKChord* own = chords ? chords->GetChord(static_cast<MouseButtons>(call.button)) : nullptr;
    if (!own) {
        CLogger::LogMessage(L"Chording: Button %d has no chord set.", call.button);
        return false;
    }
    own->SetChordSourceButton(static_cast<MouseButtons>(call.button));
    own->SetChordedButton(mbNone);
    own->SetCurrentChords(chords);
    g_pCurrentChord = own;
    // With the delay, what the press means is only known at the release.
    if (chords->DelayUntilChordKnown())
        return true;
    return PlayEntry(call, *chords, call.button, kKindDown);
}

// The chord button clicked alone: its solo action, played now as a whole click when it
// was held back.
bool ReleaseSoloChordButton(const ActionCall& call, CVESKChord& current, CVESKChords& chords) {
    current.SetChordSourceButton(mbNone);
    bool result = true;
    if (chords.DelayUntilChordKnown() && call.record) {
        bool passOriginal = false;
        bool keysSent = false;
        bool injected = false;
        for (int kind : {kKindDown, kKindUp}) {
            if (!pw::ProcessButton(call.button, kind, call.skipWindowCheck, call.record,
                                   &passOriginal, &keysSent, &injected))
                SendButton(static_cast<MouseButtons>(call.button), kind, call.Point());
        }
    } else {
        result = PlayEntry(call, chords, call.button, kKindUp);
    }
    g_pCurrentChord = nullptr;
    current.SetChordedButton(mbNone);
    current.SetCurrentChords(nullptr);
    return result;
}

bool ReleaseChordButton(const ActionCall& call) {
    CVESKChord* current = g_pCurrentChord;
    CVESKChords* chords = current ? current->GetCurrentChords() : nullptr;
    if (!current || !chords) {
        g_pCurrentChord = nullptr;
        return true;
    }
    const int chorded = current->GetChordedButton();
    if (chorded == mbNone)
        return ReleaseSoloChordButton(call, *current, *chords);
    if (IsPhysicallyDown(chorded)) {
        // The chorded button's release half runs as its press was resolved (its own profile
        // and layer), so the keys its press put down are the ones let go.
        if (!pw::EndHeldPress(chorded, call.Point()))
            PlayEntry(call, *chords, chorded, kKindUp);
        g_bChordUsed[static_cast<size_t>(chorded)] = true;
    }
    bool result = true;
    if (!chords->DelayUntilChordKnown())
        result = PlayEntry(call, *chords, call.button, kKindUp);
    g_pCurrentChord = nullptr;
    return result;
}

} // namespace

bool RunChordAction(const ActionCall& call) {
    if (call.IsDown())
        return PressChordButton(call);
    if (call.IsUp())
        return ReleaseChordButton(call);
    return true;
}

} // namespace pw::actions
