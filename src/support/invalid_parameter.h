#pragma once

// Routing of invalid-parameter reports (for example a string that does not fit its
// buffer) to one replaceable handler, as the runtime does for its checked functions.

#include "support/text.h"

namespace pw {

using InvalidParameterHandler = void (*)(const Char* expression);

// Installs handler and returns the previous one (null: reports are ignored).
InvalidParameterHandler SetInvalidParameterHandler(InvalidParameterHandler handler);
InvalidParameterHandler GetInvalidParameterHandler();
void ReportInvalidParameter(const Char* expression);

} // namespace pw
