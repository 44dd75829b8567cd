#pragma once

// The buttons of a profile's grid (settings/button_grid.h) and their names in the
// settings file.

#include "settings/button_grid.h"
#include "support/text.h"

namespace pw::settings {

// The element name of a button in the settings file: "Left" ... "WheelDown". With the
// office-mouse naming, button 5 is "OfficeMouseMiddle" and button 6 has no element
// (null). Null for a value outside 0 to 8 as well.
const Char* ButtonElementName(int button, bool officeMouse);

} // namespace pw::settings
