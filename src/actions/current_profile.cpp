#include "actions/action_state.h"
#include "actions/layers.h"
#include "actions/process_button.h"
#include "runtime/runtime_state.h"
#include "settings/actions.h"
#include "settings/application_settings.h"
#include "support/logger.h"

namespace {

// A momentary layer shift survives a profile switch only when the new profile has the
// same layer button in the slot that started it.
void EndLayerShiftIfUnmatched(const CApplicationSettings& current,
                              const CApplicationSettings& next) {
    for (int i = 0; i < pw::settings::kButtonCount; ++i) {
        const auto button = static_cast<MouseButtons>(i);
        _ACTIONS action = current.GetActions(button, g_nSavedLayer);
        if (pw::settings::LayerOfAction(action) != g_nCurrentLayer)
            continue;
        if (next.GetActions(button, g_nSavedLayer) == action) {
            CLogger::LogDebug(
                L"Not resetting layer as the new application has the same layer modifiers!");
            return;
        }
        CLogger::LogDebug(
            L"Resetting layer as the new application does not have the same layer modifiers!");
        pw::ChangeLayer(g_nSavedLayer, false);
        g_nSavedLayer = -1;
        g_bLayerHeld = false;
        return;
    }
}

} // namespace

void pw::SetCurrentProfile(CApplicationSettings* profile) {
    if (g_pCurrentApp && profile && profile != g_pCurrentApp && g_bLayerHeld && g_nSavedLayer != -1)
        EndLayerShiftIfUnmatched(*g_pCurrentApp, *profile);
    g_pCurrentApp = profile;
    if (!profile) {
        g_nLastQuadrant = 0;
        g_bQuadrantRestricted = false;
        return;
    }
    g_bQuadrantRestricted = profile->GetWindowMask() != wmWholeWindow;
    g_nLastQuadrant = profile->GetWindowMask();
}
