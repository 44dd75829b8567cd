#pragma once

// What a profile reads from the settings object that owns it: the office-mouse naming,
// the number of layers in use and the system wheel lines (the default scroll lines of a
// new profile). Kept behind this one call so that the profile code does not depend on
// the settings class; a null owner reads as a freshly constructed settings object.

class CSettings;

namespace pw::settings {

struct ProfileOwnerFacts {
    bool officeMouse = false;
    int maxLayers = 2;
    int systemWheelLines = 3;
};

ProfileOwnerFacts ReadProfileOwner(const CSettings* owner);

} // namespace pw::settings
