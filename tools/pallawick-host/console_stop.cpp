#include "console_stop.h"

#include "single_instance.h"

#include <windows.h>

namespace pw::host {

namespace {

// The system gives a closing console about five seconds.
constexpr DWORD kStopWaitMs = 4500;

BOOL WINAPI OnConsoleControl(DWORD event) {
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        RequestStop(kStopWaitMs);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

bool InstallConsoleStopHandler() {
    return SetConsoleCtrlHandler(OnConsoleControl, TRUE) != FALSE;
}

} // namespace pw::host
