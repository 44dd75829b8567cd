#pragma once

// The tag words that stand alone ({ENTER}, {CTRL}, {LMB}, ...) and what each produces.
// Tags that take a number ({WAIT:2}, {LAYER:3}, ...) are read by the tag classifier.

#include "support/text.h"
#include "support/text_compare.h"

#include <cstdint>

namespace pw::input {

enum class TagKind : uint8_t {
    Press,      // pending press mode = value
    Modifier,   // OR value into the pending modifiers
    Clear,      // nothing, clear all
    Key,        // key token of virtual key value
    LockOn,     // lock key token of value, only while the lock is off
    LockOff,    // ... only while it is on
    CtrlBreak,  // key token of value with Ctrl and Alt added
    Brightness, // brightness token, direction value
    Mouse,      // mouse token: button value, action mouseAction
};

struct TagWord {
    StringView word;
    TagKind kind;
    int32_t value;
    bool extended = false;   // Key: an extended key
    int32_t mouseAction = 0; // Mouse: 0 click, 1 down, 2 up
    bool oneShot = false;    // Mouse: wheel and tilt steps
};

// The entry whose word equals name (ASCII case ignored), or null.
const TagWord* FindTagWord(StringView name);

} // namespace pw::input
