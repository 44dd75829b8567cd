#include "actions/action_families.h"
#include "actions/layers.h"
#include "runtime/runtime_state.h"
#include "settings/actions.h"
#include "settings/application_settings.h"

namespace pw::actions {
namespace {

// Held: the layer is current while the button is down, then the layer it was pressed on
// (or the first layer, when that one says so) comes back.
bool RunMomentaryLayer(const ActionCall& call, int layer) {
    if (call.IsDown()) {
        g_bLayerHeld = true;
        const bool revert = g_pCurrentApp && g_pCurrentApp->GetRevertLayer1(g_nCurrentLayer);
        g_nSavedLayer = revert ? 0 : g_nCurrentLayer;
        pw::ChangeLayer(layer, true);
    } else if (call.IsUp()) {
        // Without a saved layer (the shift already ended with a profile switch, or its
        // press was never seen) the change is logged as an error and lands on layer 0.
        pw::ChangeLayer(g_nSavedLayer, false);
        g_nSavedLayer = -1;
        g_bLayerHeld = false;
    }
    return true;
}

} // namespace

bool RunLayerAction(const ActionCall& call) {
    switch (call.action) {
    case actLayerNext:
        if (call.IsUp())
            NextLayer();
        return true;
    case actLayerPrevious:
        if (call.IsUp())
            PreviousLayer();
        return true;
    default:
        break;
    }
    const int layer = settings::LayerOfAction(call.action);
    return layer < 0 ? false : RunMomentaryLayer(call, layer);
}

} // namespace pw::actions
