#include "input/sim_parse_state.h"

#include "input/sim_token_list.h"
#include "support/logger.h"

namespace pw::input {

SimParseState::SimParseState(SimTokenList& list, POINT point, int hold,
                             const SimParseEnvironment& env)
    : tokens(list), pt(point), baseHold(hold), englishLayout(env.englishLayout),
      keyboard(env.keyboard ? *env.keyboard : pw::platform::CurrentKeyboardLayout()), hold(hold),
      currentLayer(env.currentLayer), savedLayer(env.savedLayer), diagnostics(env.diagnostics) {}

void SimParseState::Report(KeyProblem problem, const Char* name) const {
    if (diagnostics)
        diagnostics->KeyStringProblem({problem, tagPosition, StringView(name)});
}

void SimParseState::ClearAll() {
    modifiers = 0;
    ResetPressAndHold();
}

void SimParseState::ResetPressAndHold() {
    pressMode = kPressTap;
    hold = baseHold;
}

uint32_t SimParseState::ClampPause(int64_t ms, const Char* tagName) const {
    if (ms >= 0 && ms <= kMaxPauseMs)
        return static_cast<uint32_t>(ms);
    Report(KeyProblem::TimeOutOfRange, tagName);
    CLogger::LogMessage(L"SendKeyStateWhileDown: Time out of range in {%ls}, using %d ms", tagName,
                        ms < 0 ? 0 : kMaxPauseMs);
    return ms < 0 ? 0u : static_cast<uint32_t>(kMaxPauseMs);
}

void SimParseState::AddHold(int64_t ms, const Char* tagName) {
    hold = static_cast<int>(ClampPause(int64_t{hold} + ms, tagName));
}

CSimKeyToken& SimParseState::AddKey(int32_t virtualKey, bool extended) {
    auto& token = tokens.Append<CSimKeyToken>();
    token.m_nVirtualKey = virtualKey;
    token.m_bExtended = extended;
    token.m_nModifiers = modifiers;
    token.m_nPressMode = pressMode;
    token.m_nHoldTime = hold;
    return token;
}

} // namespace pw::input
