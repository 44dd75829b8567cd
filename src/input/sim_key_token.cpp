#include "input/sim_key_token.h"

using namespace pw::input;

namespace {

constexpr int32_t kVkVolumeMute = 0xAD;
constexpr int32_t kVkVolumeUp = 0xAF;

} // namespace

void CSimKeyToken::Send(const SimTokenContext& context, bool release, int& holdTime) {
    if (!context.sender)
        return;
    context.sender->SendKeyState(m_nVirtualKey, m_bExtended, m_nModifiers, m_nScanCode, m_bUnicode,
                                 release, context.simKeyDelay, context.keyboardMarker,
                                 context.englishLayout, holdTime);
}

void CSimKeyToken::NoteVolumeKey(const SimTokenContext& context) const {
    if (!context.volumeOsdWindow || !context.effects)
        return;
    if (m_nVirtualKey >= kVkVolumeMute && m_nVirtualKey <= kVkVolumeUp)
        context.effects->ShowVolumeOsd(context.volumeOsdWindow);
}

int CSimKeyToken::Execute(const SimTokenContext& context, int mode) {
    if (!PlaysIn(mode))
        return 0;
    bool pressOnly = mode == kExecuteWhole && m_nPressMode == kPressOnly;
    bool releaseOnly = mode == kExecuteWhole && m_nPressMode == kReleaseOnly;
    if (!releaseOnly)
        Send(context, false, m_nHoldTime);
    if (!pressOnly)
        Send(context, true, m_nHoldTime);
    NoteVolumeKey(context);
    return 0;
}

int CSimKeyToken::ExecutePhase(const SimTokenContext& context, bool isUp) {
    if (m_nPressMode == kPressOnly) {
        if (isUp)
            return 0;
        // Typed at the press at once, without the hold time.
        int hold = 0;
        Send(context, false, hold);
        Send(context, true, hold);
    } else if (m_nPressMode == kReleaseOnly) {
        if (!isUp)
            return 0;
        Send(context, false, m_nHoldTime);
        Send(context, true, m_nHoldTime);
    } else if (m_bOneShot) {
        // A lock key switched to a state: a complete tap in whichever phase it plays.
        Send(context, false, m_nHoldTime);
        Send(context, true, m_nHoldTime);
    } else {
        Send(context, isUp, m_nHoldTime);
    }
    NoteVolumeKey(context);
    return 0;
}
