#pragma once

// What a keystroke parse tells a checker about tags that will not work as written. The
// parse passes each one to an optional sink; without a sink it only logs, as before.

#include "support/text.h"

#include <cstddef>

namespace pw::input {

enum class KeyProblem {
    UnknownTag,      // no tag of that name; skipped
    UnclosedTag,     // no "}" before the end of the text; the name runs to the end
    LongTag,         // longer than a tag can be; the rest is typed as characters
    BadKeypadKey,    // {NUM...} without a keypad key; the whole text is refused
    KeyOutOfRange,   // {EXT}, {VKC} or {F} beyond the virtual keys; skipped
    LayerOutOfRange, // {LAYER} beyond the ten layers; skipped
    TimeOutOfRange,  // a wait or hold below 0 or above an hour; cut to that range
};

struct KeyNote {
    KeyProblem problem = KeyProblem::UnknownTag;
    size_t position = 0; // of the tag's "{" in the text
    StringView name;     // the tag's name as read
};

class SimParseDiagnostics {
  public:
    virtual ~SimParseDiagnostics() = default;
    virtual void KeyStringProblem(const KeyNote& note) = 0;
};

} // namespace pw::input
