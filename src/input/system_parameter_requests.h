#pragma once

// Requests to the system-parameter thread.

#include <cstdint>

class CApplicationSettings;

namespace pw::input {

struct SystemMouseDefaults;

// The button swap and wheel state a profile wants, as the system-parameter thread takes it.
struct SystemParameterRequest {
    uint32_t swapButtons = 0; // 0 normal, 1 swapped
    uint32_t scrollLines = 3; // 0xFFFFFFFF: one page per notch
    bool force = false;       // write the user profile too
};

// The state profile wants; without a profile, the system's state at library load.
SystemParameterRequest RequestForProfile(const CApplicationSettings* profile,
                                         const SystemMouseDefaults& defaults);

} // namespace pw::input

namespace pw {

// Hands the current profile's button swap and wheel settings to the system-parameter
// thread; called after the current profile changed, with the global lock held.
void NewApplicationSettings();

} // namespace pw
