#pragma once

// The library's log (CLogger, support/logger_api.h) with the platform seam it writes
// through, for the code inside the library.

#include "platform/critical_section.h"
#include "platform/platform.h"
#include "support/logger_api.h"
#include "support/text.h"
