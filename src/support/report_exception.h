#pragma once

// For the catch-all blocks at the library's boundary (exported functions, thread
// procedures that go on): logs the exception being handled through handle_exception and
// ends it there.

#include "support/text.h"

namespace pw {

void ReportException(const Char* context);

} // namespace pw
