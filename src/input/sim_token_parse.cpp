#include "input/sim_parse_state.h"
#include "input/sim_token_list.h"
#include "settings/wait_hold_time.h"
#include "support/exception_handler.h"
#include "support/logger.h"

#include <cwchar>

namespace pw::input {
namespace {

bool ParseKeys(SimParseState& state, const Char* keys) {
    const Char* position = keys;
    while (*position != 0) {
        Char c = *position++;
        if (c == L'{' && *position == L'{') {
            // A literal "{"; the second brace is then read on its own.
            CSimKeyToken& brace = state.AddKey(0, false);
            brace.m_nScanCode = L'{';
            brace.m_bUnicode = true;
            state.ResetPressAndHold();
            continue;
        }
        if (c != L'{') {
            AddLiteral(state, c);
            continue;
        }
        // A tag name runs to "}", to the end of the text or to its length limit; the
        // rest of an over-long tag is read as characters.
        state.tagPosition = static_cast<size_t>(position - keys) - 1;
        Char name[settings::kMaxTagName + 1] = {};
        size_t length = 0;
        bool closed = false;
        size_t taken = 0;
        for (; *position != 0 && taken < settings::kMaxTagName; ++taken) {
            Char t = *position++;
            if (t == L'}') {
                closed = true;
                break;
            }
            name[length++] = t;
        }
        if (!closed && state.diagnostics)
            state.Report(taken == settings::kMaxTagName ? KeyProblem::LongTag
                                                        : KeyProblem::UnclosedTag,
                         name);
        if (!ApplyTag(state, name, length))
            return false;
    }
    // Modifiers left pending ({CTRL} alone) are pressed and released on their own.
    if (state.modifiers != 0)
        state.AddKey(0, false);
    return true;
}

} // namespace
} // namespace pw::input

bool CSimToken::Parse(SimTokenList& tokens, const Char* keys, POINT pt, int baseHold) {
    return Parse(tokens, keys, pt, baseHold, pw::input::LibraryParseEnvironment());
}

bool CSimToken::Parse(SimTokenList& tokens, const Char* keys, POINT pt, int baseHold,
                      const pw::input::SimParseEnvironment& environment) {
    if (!keys) {
        CLogger::LogMessage(L"SendKeyStateWhileDown called with an invalid key sequence string!");
        return false;
    }
    try {
        // At most one token per character, and one for modifiers left pending.
        tokens.reserve(tokens.size() + std::wcslen(keys) + 1);
        pw::input::SimParseState state(tokens, pt, baseHold, environment);
        return pw::input::ParseKeys(state, keys);
    } catch (...) {
        pw::handle_exception(L"SimToken::Parse");
    }
}
