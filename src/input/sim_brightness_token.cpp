#include "input/sim_brightness_token.h"

#include "input/sim_wait_token.h"

CBrightness* g_pBrightness = nullptr;

using namespace pw::input;

void CSimBrightnessToken::Step(const SimTokenContext& context) const {
    if (context.effects)
        context.effects->StepBrightness(m_nDirection == kBrighter, m_pt);
}

int CSimBrightnessToken::Execute(const SimTokenContext& context, int mode) {
    if (PlaysIn(mode))
        Step(context);
    return 0;
}

int CSimBrightnessToken::ExecutePhase(const SimTokenContext& context, bool isUp) {
    if (PlaysInPhaseOnce(m_nPressMode, isUp))
        Step(context);
    return 0;
}
