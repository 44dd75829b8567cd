#include "platform/win32/win32_api.h"

#include "platform/win32/module_handle.h"

#include <atomic>

namespace pw::win32 {
namespace {

std::atomic<HINSTANCE> g_module{nullptr};

} // namespace

void SetModuleHandle(HINSTANCE module) {
    g_module.store(module, std::memory_order_release);
}

HINSTANCE ModuleHandle() {
    HINSTANCE module = g_module.load(std::memory_order_acquire);
    if (module)
        return module;
    HMODULE found = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ModuleHandle), &found);
    return found;
}

} // namespace pw::win32
