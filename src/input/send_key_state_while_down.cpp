#include "input/library_token_effects.h"
#include "input/send_input.h"
#include "input/send_keys.h"
#include "input/sim_token.h"
#include "input/sim_token_list.h"
#include "input/target_layout.h"
#include "runtime/runtime_state.h"
#include "support/logger.h"

using namespace pw::input;

namespace {

enum class Phase { Whole, Press, Release };

// Parses keys in the target window's layout and plays the tokens; each token is deleted
// as soon as it has played.
bool PlayKeys(const Char* keys, const POINT* pt, Phase phase, int mode) {
    if (!keys || !*keys) {
        CLogger::LogMessage(L"SendKeyStateWhileDown called with an invalid key sequence string!");
        return false;
    }
    if (!g_pSendInput) {
        CLogger::LogMessage(L"SendKeyStateWhileDown: SendInput Thread is not available!");
        return false;
    }
    TargetLayout layout;
    const SimTokenContext context = LibraryTokenContext();
    SimTokenList tokens;
    if (!CSimToken::Parse(tokens, keys, pt ? *pt : POINT{},
                          static_cast<int>(context.simKeyDelay))) {
        CLogger::LogMessage(L"Failed to parse simkey sequence '%ls'", keys);
        return false;
    }
    auto play = [&](SimTokenSlot& token) {
        if (!token)
            return;
        if (phase == Phase::Whole)
            g_nInjectCount += token->Execute(context, mode);
        else
            g_nInjectCount += token->ExecutePhase(context, phase == Phase::Release);
        token.reset();
    };
    if (phase == Phase::Release) {
        for (auto token = tokens.rbegin(); token != tokens.rend(); ++token)
            play(*token);
    } else {
        for (auto& token : tokens)
            play(token);
    }
    return true;
}

} // namespace

bool pw::SendKeyStateWhileDown(const Char* keys, const POINT* pt, int mode) {
    return PlayKeys(keys, pt, Phase::Whole, mode);
}

bool pw::SendKeyStateWhileDown(MouseButtons, const Char* keys, bool isUp, const POINT* pt) {
    return PlayKeys(keys, pt, isUp ? Phase::Release : Phase::Press, kExecuteWhole);
}
