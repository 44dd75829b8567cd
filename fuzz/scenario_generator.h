#pragma once

// Turns fuzz input into a case for the engine: two settings files (the first in force at
// the start, the second for reloads) and a scenario in pallawick-replay's language over a
// few windows of a few applications. The input is read as a stream of choices, so a
// mutated byte changes one choice, not the meaning of all that follows.

#include "generated_settings.h"

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace pw::fuzz {

// The scenario's file names for the two settings files, beside the scenario.
inline constexpr const char* kFirstSettingsFile = "first.xml";
inline constexpr const char* kSecondSettingsFile = "second.xml";

// The windows cover the top of the screen; below kFreeTop nothing lies but the desktop,
// so that a window made there later is the only one under the cursor.
inline constexpr int kFreeTop = 1000;

struct GeneratedCase {
    GeneratedSettings first;
    GeneratedSettings second;
    std::string scenario;
    // The user's state when the scenario ends: buttons ("Left" ...) and keys held, and
    // whether the hooks are off.
    std::vector<std::string> heldButtons;
    std::vector<int> heldKeys;
    bool unhooked = false;
    // The settings file in force at the end (a reload of a file that loads).
    const GeneratedSettings& Last() const { return lastIsSecond ? second : first; }
    bool lastIsSecond = false;
};

// What a run leaves out, so that a long hunt can go on past a finding that is known and
// not fixed yet: scenario steps by their word ("unhook" covers hook too) and action codes.
// A step left out becomes a move; an action left out is no action (40). "quick-reload"
// leaves out reloads right after an event: a second passes before each; "layer-tag-held"
// leaves {LAYER} tags out of keys held while a button is down, and sticky keys;
// "unblocked-held-scroll" blocks the wheel and tilt events whose keys are held or repeat;
// "layer-keys-toggle" keeps the layer modifier keys on or off across reloads; "half-clicks"
// leaves half clicks ({LMBD}...{LMBU}) out of keys; "modeN" turns send mode N into 0.
struct GeneratorLimits {
    std::set<std::string> steps;
    std::set<int> actions;
};

GeneratedCase Generate(const uint8_t* data, size_t size, const GeneratorLimits& limits = {});

} // namespace pw::fuzz
