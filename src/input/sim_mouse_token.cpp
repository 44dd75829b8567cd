#include "input/sim_mouse_token.h"

using namespace pw::input;

int CSimMouseToken::Send(const SimTokenContext& context, int action) const {
    if (!context.sender)
        return 0;
    return context.sender->SendMouse(m_nButton, action, m_pt, context.simKeyDelay,
                                     context.razorMouse, context.officeMouse, context.mouseMarker,
                                     m_nHoldTime);
}

int CSimMouseToken::Click(const SimTokenContext& context) const {
    SendModifiers(context, false);
    int sent = Send(context, kMouseActionDown);
    sent += Send(context, kMouseActionUp);
    SendModifiers(context, true);
    return sent;
}

int CSimMouseToken::Execute(const SimTokenContext& context, int mode) {
    if (!PlaysIn(mode))
        return 0;
    if (mode == kExecuteWhole && m_nPressMode == kPressOnly) {
        if (m_nAction == kUp)
            return 0;
        // The modifiers stay down with the button.
        SendModifiers(context, false);
        return Send(context, kMouseActionDown);
    }
    if (mode == kExecuteWhole && m_nPressMode == kReleaseOnly) {
        if (m_nAction == kDown)
            return 0;
        int sent = Send(context, kMouseActionUp);
        SendModifiers(context, true);
        return sent;
    }
    if (m_nAction == kClick)
        return Click(context);
    SendModifiers(context, false);
    int sent = Send(context, m_nAction);
    SendModifiers(context, true);
    return sent;
}

int CSimMouseToken::ExecutePhase(const SimTokenContext& context, bool isUp) {
    if (m_nPressMode == kPressOnly)
        return isUp ? 0 : Click(context);
    if (m_nPressMode == kReleaseOnly)
        return isUp ? Click(context) : 0;
    if (m_bOneShot) {
        // A wheel or tilt step has no release.
        int sent = 0;
        if (!isUp) {
            SendModifiers(context, false);
            sent = Send(context, kMouseActionDown);
        }
        SendModifiers(context, true);
        return sent;
    }
    if (!isUp) {
        SendModifiers(context, false);
        return Send(context, m_nAction == kClick ? kMouseActionDown : m_nAction);
    }
    // The release always lets the button go: an explicit press ({LMBD}) sent again here would
    // leave the button held, and an explicit release ({LMBU}) sends the same either way.
    int sent = Send(context, kMouseActionUp);
    SendModifiers(context, true);
    return sent;
}
