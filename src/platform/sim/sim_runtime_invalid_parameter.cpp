#include "platform/runtime_invalid_parameter.h"

namespace pw::platform {

// The Linux runtime has no invalid-parameter reports; only the library's own exist.
void* ForwardRuntimeInvalidParameters(void (*)(const Char*)) {
    return nullptr;
}

void RestoreRuntimeInvalidParameterHandler(void*) {}

} // namespace pw::platform
