#pragma once

// The C runtime's own invalid-parameter reports (its checked string and file functions),
// forwarded to a report function where the runtime has such reports.

#include "platform/text.h"

namespace pw::platform {

// Makes the runtime forward its reports to report; returns the runtime's previous
// handler, opaque.
void* ForwardRuntimeInvalidParameters(void (*report)(const Char* expression));
// Puts back a handler returned by ForwardRuntimeInvalidParameters.
void RestoreRuntimeInvalidParameterHandler(void* previous);

} // namespace pw::platform
