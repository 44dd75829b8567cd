#pragma once

// The running Windows version as one bit, used to gate actions that exist only on some
// versions.

#include "settings/os_version_api.h"

#include <cstdint>

namespace pw::settings {

// The bit for a major.minor version pair.
_ActionOSVersion OsVersionFromNumbers(unsigned long major, unsigned long minor);

} // namespace pw::settings
