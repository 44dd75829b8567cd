#include "actions/action_state.h"
#include "actions/button_processing.h"
#include "actions/process_button.h"
#include "runtime/runtime_state.h"
#include "settings/application_settings.h"
#include "settings/chord.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/thread_lock.h"

namespace pw::actions {

namespace {

MouseButtons AsButton(int button) {
    return static_cast<MouseButtons>(button);
}

// The action and a new data record of slot (button, layer) of source. GetActions logs an
// invalid slot and answers 40. An unmapped slot (40) carries out nothing, so it gets no
// record: the most common button press allocates nothing.
void TakeSlot(ResolvedAction& resolved, int button) {
    resolved.action = resolved.source->GetActions(AsButton(button), resolved.layer);
    if (resolved.action == actNoChange) {
        resolved.data.reset();
        return;
    }
    resolved.data.reset(resolved.source->GetActionData(AsButton(button), resolved.layer));
}

// While a chord is played, other buttons do what their entry in its chord set says. The
// chord button's own release keeps its action, which ends the chord.
void ApplyChord(ResolvedAction& resolved, int button, int kind) {
    CVESKChord* current = g_pCurrentChord;
    if (current->GetChordSourceButton() == button && kind == kKindUp) {
        CLogger::LogDebug(L"Chording: Release original chord button");
        return;
    }
    CVESKChords* chords = current->GetCurrentChords();
    CVESKChord* chord = chords ? chords->GetChord(AsButton(button)) : nullptr;
    if (!chord)
        return;
    const int chorded = current->GetChordedButton();
    if (settings::IsValidButton(chorded) && chorded != button &&
        g_bButtonDown[static_cast<size_t>(chorded)]) {
        resolved.swallow = true;
        return;
    }
    if (kind == kKindDown)
        current->SetChordedButton(AsButton(button));
    resolved.action = chord->GetAction();
    resolved.data.reset(chord->GetActionData());
}

} // namespace

SlotOrigin FollowSlot(CApplicationSettings* profile, int button, int layer) {
    SlotOrigin origin{profile, layer, profile->GetActions(AsButton(button), layer)};
    if (origin.action == actSameAsLayer1) {
        origin.layer = 0;
        origin.action = profile->GetActions(AsButton(button), 0);
    }
    if (origin.action == actSameAsDefaultProfile && g_pSettings && g_pSettings->GetDefaultApp()) {
        origin.profile = g_pSettings->GetDefaultApp();
        origin.action = origin.profile->GetActions(AsButton(button), origin.layer);
    }
    return origin;
}

ResolvedAction ResolveAction(int button, int kind, CApplicationSettings* profile, int layer) {
    PW_ASSERT_LOCK_HELD();
    ResolvedAction resolved;
    resolved.layer = layer;
    resolved.source = profile;
    TakeSlot(resolved, button);
    resolved.original = resolved.action;
    if (resolved.action == actSameAsLayer1) {
        resolved.layer = 0;
        TakeSlot(resolved, button);
    }
    if (resolved.action == actSameAsDefaultProfile && g_pSettings && g_pSettings->GetDefaultApp()) {
        resolved.source = g_pSettings->GetDefaultApp();
        TakeSlot(resolved, button);
    }
    if (g_pCurrentChord)
        ApplyChord(resolved, button, kind);
    return resolved;
}

} // namespace pw::actions
