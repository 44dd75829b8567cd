#pragma once

// De-bouncing of worn mouse switches: a press that follows the last counted press (or
// release) of the same button within the configured time is a bounce, and so is the
// release that belongs to it.

#include "platform/handles.h"
#include "runtime/runtime_state.h"

#include <array>
#include <cstdint>

class CSettings;

namespace pw::hook {

struct DebounceEntry {
    uint32_t lastTime = 0; // event time of the last counted press (or release)
    bool bounced = false;  // the last press was a bounce
};

// The debounce verdict on one event; diff is the press interval measured, 0 when none.
struct DebounceCheck {
    bool bounce = false;
    uint32_t diff = 0;
};

// Checks a real (not injected) button event against the table and records it. Only the
// down and up messages of the five physical buttons are considered, and only when
// de-bouncing is on.
DebounceCheck CheckDebounce(const CSettings& settings, unsigned message,
                            const MSLLHOOKSTRUCT& record);

void ResetDebounce();

} // namespace pw::hook

// By MouseButtons value; only Left to XRight are used.
extern std::array<pw::hook::DebounceEntry, pw::runtime::kButtonCount> g_Debounce;
