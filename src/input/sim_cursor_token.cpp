#include "input/sim_cursor_token.h"

using namespace pw::input;

void CSimCursorToken::Send(const SimTokenContext& context) const {
    if (context.sender)
        context.sender->SendPositionThreaded(m_nValue, static_cast<int>(m_nMode));
}

int CSimCursorToken::Execute(const SimTokenContext& context, int mode) {
    if (PlaysIn(mode))
        Send(context);
    return 0;
}

int CSimCursorToken::ExecutePhase(const SimTokenContext& context, bool isUp) {
    // Press-only moves at the press, release-only at the release, others in both.
    bool plays = m_nPressMode == kPressOnly ? !isUp : m_nPressMode == kReleaseOnly ? isUp : true;
    if (plays)
        Send(context);
    return 0;
}
