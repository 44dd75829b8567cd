#include "input/sim_wait_token.h"

using namespace pw::input;

int CSimWaitToken::Execute(const SimTokenContext& context, int mode) {
    if (PlaysIn(mode) && context.sender)
        context.sender->SendInputDelay(m_nWaitTime, 0);
    return 0;
}

int CSimWaitToken::ExecutePhase(const SimTokenContext& context, bool isUp) {
    if (PlaysInPhaseOnce(m_nPressMode, isUp) && context.sender)
        context.sender->SendInputDelay(m_nWaitTime, 0);
    return 0;
}
