#pragma once

// The C runtime's own invalid-parameter reports (its checked string and file functions),
// forwarded to pw::ReportInvalidParameter where the runtime has such reports.

namespace pw::platform {

// Makes the runtime forward its reports; returns the runtime's previous handler, opaque.
void* ForwardRuntimeInvalidParameters();
// Puts back a handler returned by ForwardRuntimeInvalidParameters.
void RestoreRuntimeInvalidParameterHandler(void* previous);

} // namespace pw::platform
