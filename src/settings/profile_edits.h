#pragma once

// A count of the edits that can change which profile a window matches: a load, a change
// of a profile list, and a change of a profile's application name or enabled flag. The
// matching's caches compare it to the count they were built at and start afresh when it
// moved, so that no edit path has to know of them.

#include "settings/profile_edit_note.h"

#include <cstdint>

namespace pw::settings {

uint64_t ProfileEditCount();

} // namespace pw::settings
