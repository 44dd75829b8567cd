#include "platform/win32/win32_api.h"

#include "hook/library.h"
#include "platform/win32/module_handle.h"
#include "platform/win32/win32_platform.h"
#include "support/thread_lock.h"

// The library's global lock is the system's own critical section, as the exported lock
// class declares it; its storage lives here, where the system's type is complete.
CRITICAL_SECTION CThreadLock::g_GlobalCS{};

// The loader's entry point. Nothing may escape it: a failing attach makes the load fail,
// a failing detach is only reported.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        pw::win32::SetModuleHandle(instance);
        // The library has no per-thread state; skip the thread notifications.
        DisableThreadLibraryCalls(instance);
        try {
            pw::hook::ProcessAttach();
        } catch (...) {
            OutputDebugStringW(L"PallawickHook: Unexpected exception while loading the library\n");
            return FALSE;
        }
        break;
    case DLL_PROCESS_DETACH:
        try {
            // A non-null reserved means the process is ending, not just unloading us.
            pw::hook::ProcessDetach(reserved != nullptr);
        } catch (...) {
            OutputDebugStringW(
                L"PallawickHook: Unexpected exception while unloading the library\n");
        }
        // The platform object is never destroyed, so the crash filters, which point into
        // this module, are taken out here before the module is unmapped.
        pw::win32::Win32Platform::Instance().GetWin32CrashReporter().RemoveFilters();
        break;
    default:
        break;
    }
    return TRUE;
}
