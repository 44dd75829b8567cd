#include "platform/runtime_invalid_parameter.h"

#include <atomic>
#include <cstdint>
#include <stdlib.h>

namespace pw::platform {

namespace {

std::atomic<void (*)(const Char*)> g_report{nullptr};

// Release runtimes pass no expression; the report still shows that one happened.
void __cdecl ForwardReport(const wchar_t* expression, const wchar_t*, const wchar_t*, unsigned int,
                           uintptr_t) {
    if (auto report = g_report.load(std::memory_order_acquire))
        report(expression ? expression : L"(null)");
}

} // namespace

void* ForwardRuntimeInvalidParameters(void (*report)(const Char*)) {
    g_report.store(report, std::memory_order_release);
    return reinterpret_cast<void*>(_set_invalid_parameter_handler(ForwardReport));
}

void RestoreRuntimeInvalidParameterHandler(void* previous) {
    _set_invalid_parameter_handler(reinterpret_cast<_invalid_parameter_handler>(previous));
}

} // namespace pw::platform
