#include "input/sim_token.h"

#include "input/english_layout.h"
#include "runtime/runtime_state.h"

namespace pw::input {

SimParseEnvironment LibraryParseEnvironment() {
    SimParseEnvironment environment;
    environment.currentLayer = g_nCurrentLayer;
    environment.savedLayer = g_nSavedLayer;
    environment.englishLayout = g_hEnglishLayout;
    return environment;
}

} // namespace pw::input

using namespace pw::input;

bool CSimToken::PlaysIn(int mode) const {
    switch (mode) {
    case kExecuteWhole:
        return true;
    case kExecuteButtonDown:
        return m_nPressMode != kReleaseOnly;
    case kExecuteButtonUp:
        return m_nPressMode != kPressOnly;
    default:
        return false;
    }
}

void CSimToken::SendModifiers(const SimTokenContext& context, bool release) const {
    if (m_nModifiers == 0 || !context.sender)
        return;
    int hold = 0;
    context.sender->SendKeyState(0, false, m_nModifiers, 0, false, release, context.simKeyDelay,
                                 context.keyboardMarker, context.englishLayout, hold);
}
