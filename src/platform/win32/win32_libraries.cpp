#include "platform/win32/win32_api.h"

#include "platform/win32/win32_libraries.h"

namespace pw::win32 {

HMODULE Win32Libraries::Load(const Char* name) {
    return ::LoadLibraryW(name);
}

void* Win32Libraries::Export(HMODULE library, const char* name) {
    if (!library || !name)
        return nullptr;
    return reinterpret_cast<void*>(::GetProcAddress(library, name));
}

bool Win32Libraries::Free(HMODULE library) {
    return library && ::FreeLibrary(library) != FALSE;
}

// Wine's ntdll exports its version; there every system library is Wine's own, and some
// of their exports are stubs that abort the process.
bool Win32Libraries::IsStandIn(HMODULE library) {
    if (!library)
        return false;
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

} // namespace pw::win32
