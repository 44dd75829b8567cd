#pragma once

// Applying the pointer speed and precision to the system when settings are saved. The
// platform seam has no system-parameter setter yet, so whoever owns the system parameters
// installs an applier here; without one a save leaves the system's pointer alone.

namespace pw::settings {

struct PointerSettings {
    int mouseSpeed = 10;
    // Acceleration thresholds and level: 6, 10, 1 with enhanced precision, else 0, 0, 0.
    int threshold1 = 0;
    int threshold2 = 0;
    int acceleration = 0;
};

// Sets the pointer speed, then the acceleration (updating the user profile), and returns
// the result of the second call (nonzero on success).
using PointerSettingsApplier = int (*)(const PointerSettings& settings);

// Installs applier (null removes it); returns the previous one.
PointerSettingsApplier SetPointerSettingsApplier(PointerSettingsApplier applier);
PointerSettingsApplier GetPointerSettingsApplier();

} // namespace pw::settings
