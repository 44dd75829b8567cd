#include "platform/runtime_invalid_parameter.h"

#include "support/invalid_parameter.h"

#include <cstdint>
#include <stdlib.h>

namespace pw::platform {

namespace {

// Release runtimes pass no expression; the report still shows that one happened.
void __cdecl ForwardReport(const wchar_t* expression, const wchar_t*, const wchar_t*, unsigned int,
                           uintptr_t) {
    pw::ReportInvalidParameter(expression ? expression : L"(null)");
}

} // namespace

void* ForwardRuntimeInvalidParameters() {
    return reinterpret_cast<void*>(_set_invalid_parameter_handler(ForwardReport));
}

void RestoreRuntimeInvalidParameterHandler(void* previous) {
    _set_invalid_parameter_handler(reinterpret_cast<_invalid_parameter_handler>(previous));
}

} // namespace pw::platform
