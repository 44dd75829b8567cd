#include "input/sim_layer_token.h"

using namespace pw::input;

int CSimLayerToken::Execute(const SimTokenContext& context, int mode) {
    if (PlaysIn(mode) && context.effects)
        context.effects->SwitchLayer(m_nLayer);
    return 0;
}

int CSimLayerToken::ExecutePhase(const SimTokenContext& context, bool isUp) {
    if (!context.effects)
        return 0;
    context.effects->SwitchLayer(isUp ? m_nPreviousLayer : m_nLayer);
    context.effects->SetLayerHeld(!isUp);
    return 0;
}
