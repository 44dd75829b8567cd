#pragma once

// A simulated token: one step of a parsed keystroke text (a key, a mouse event, a cursor
// move, a pause, a layer switch or a brightness step). Tokens are played whole by
// Execute, or split between a button's press and release by ExecutePhase.

#include "input/sim_modifiers.h"
#include "input/sim_token_context.h"
#include "platform/handles.h"

#include <cstdint>
#include <memory>
#include <vector>

class CSimToken;
// The tokens of a text in order (input/sim_token_list.h).
class SimTokenList;

namespace pw::input {

class SimParseDiagnostics;

// What the parser reads besides the text: the layers it starts from, the English
// layout (none allowed) and the layout services (null: the layout in force). diagnostics,
// when given, hears of every tag that does not work as written.
struct SimParseEnvironment {
    int currentLayer = 0;
    int savedLayer = -1; // -1: none
    pw::platform::KeyboardLayoutHandle englishLayout = nullptr;
    pw::platform::KeyboardLayout* keyboard = nullptr;
    SimParseDiagnostics* diagnostics = nullptr;
};

// The environment of the library's own sends: g_nCurrentLayer, g_nSavedLayer, the
// English layout g_hEnglishLayout and the layout in force.
SimParseEnvironment LibraryParseEnvironment();

} // namespace pw::input

class CSimToken {
  public:
    virtual ~CSimToken() = default;
    // Plays the token whole; mode is kExecute.... The number of mouse events queued.
    virtual int Execute(const pw::input::SimTokenContext& context, int mode) = 0;
    // Plays the part of the token that belongs to the button going down (isUp false) or
    // coming up. The number of mouse events queued.
    virtual int ExecutePhase(const pw::input::SimTokenContext& context, bool isUp) = 0;

    // Appends the tokens of keys to tokens. False for a null text or an invalid keypad
    // character; the tokens must then not be played. pt is stored in mouse and
    // brightness tokens; baseHold is the hold time every key starts with.
    static bool Parse(SimTokenList& tokens, const Char* keys, POINT pt, int baseHold);
    static bool Parse(SimTokenList& tokens, const Char* keys, POINT pt, int baseHold,
                      const pw::input::SimParseEnvironment& environment);

    uint32_t m_nModifiers = 0;
    uint32_t m_nPressMode = pw::input::kPressTap;
    bool m_bOneShot = false;
    int32_t m_nHoldTime = 0;

  protected:
    CSimToken() = default;
    // The phase filter of Execute: whether the token plays in mode.
    bool PlaysIn(int mode) const;
    // Presses or releases the token's modifier keys alone; nothing without modifiers.
    void SendModifiers(const pw::input::SimTokenContext& context, bool release) const;
};
