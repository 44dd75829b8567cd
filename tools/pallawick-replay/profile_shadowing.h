#pragma once

// Profiles the matching can never choose because an earlier profile always wins.

#include "settings_check.h"

#include <vector>

class CSettings;

namespace pw::replay {

// Appends a finding for each enabled profile that an earlier enabled profile certainly
// wins over, following the matching's order: window profiles in file order, then
// application profiles in file order. Only certain cases are reported: an earlier profile
// that tests the same things or fewer, with the same values.
void CheckShadowedProfiles(const CSettings& settings, std::vector<Finding>& findings);

} // namespace pw::replay
