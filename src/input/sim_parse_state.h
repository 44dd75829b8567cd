#pragma once

// The state of one keystroke parse: the pending modifiers, press mode and hold time
// that the next token takes, and the layers as the parse has switched them.

#include "input/sim_key_token.h"
#include "input/sim_parse_diagnostics.h"
#include "input/sim_token.h"

#include <cstddef>

namespace pw::input {

// Longest pause or hold a tag may ask for; longer ones are cut to it (and logged), so
// that a typo cannot stall the input queue for days.
inline constexpr int kMaxPauseMs = 60 * 60 * 1000;

struct SimParseState {
    SimParseState(SimTokenList& list, POINT point, int hold, const SimParseEnvironment& env);

    // Pending modifiers, press mode and hold time back to their start.
    void ClearAll();
    // Press mode and hold time back to their start; modifiers stay.
    void ResetPressAndHold();
    // Adds ms to the pending hold time, within 0 to kMaxPauseMs.
    void AddHold(int64_t ms, const Char* tagName);
    // Appends a key token that takes the pending modifiers, press mode and hold time.
    CSimKeyToken& AddKey(int32_t virtualKey, bool extended);
    // A pause of ms milliseconds cut to 0 to kMaxPauseMs; a cut is logged with the tag and
    // reported.
    uint32_t ClampPause(int64_t ms, const Char* tagName) const;
    // Tells the diagnostics, if any, of a problem with the tag at tagPosition.
    void Report(KeyProblem problem, const Char* name) const;

    SimTokenList& tokens;
    POINT pt;
    int baseHold;
    pw::platform::KeyboardLayoutHandle englishLayout;
    pw::platform::KeyboardLayout& keyboard;
    uint32_t modifiers = 0;
    uint32_t pressMode = kPressTap;
    int hold;
    int currentLayer;
    int savedLayer;
    SimParseDiagnostics* diagnostics;
    size_t tagPosition = 0; // of the "{" of the tag being applied
};

// Applies the tag named name (NUL-terminated, length characters). False when the parse
// must fail (an invalid keypad key).
bool ApplyTag(SimParseState& state, const Char* name, size_t length);

// Appends the key token of a character typed outside braces.
void AddLiteral(SimParseState& state, Char c);

} // namespace pw::input
