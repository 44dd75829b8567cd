#pragma once

// The secure attention sequence: lets the library's simulated Ctrl+Alt+Del reach the
// system, through SendSAS of "SAS.dll" where that library exists.

namespace pw {

// 1 when SendSAS was called, 0 otherwise (the library or its export is missing).
int EnableSAS();

} // namespace pw
