#pragma once

// Which window is under a point, with display scaling taken into account. The
// low-level mouse hook reports physical pixels while unaware programs' windows live in
// scaled coordinates; the physical-coordinate functions are optional system exports,
// looked up once at start-up.

#include "platform/handles.h"
#include "windows/window_from_point_api.h"

namespace pw::windows {

// Whether the system scales per monitor, as InitScalingFunctions found.
bool Win81Scaling();
// Forgets the tooltip analysis of RealWindowFromPoint.
void ResetRealWindowCache();

} // namespace pw::windows
