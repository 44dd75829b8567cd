#include "hook/display_changed.h"

#include "platform/platform.h"
#include "support/report_exception.h"
#include "support/thread_lock.h"

int g_nScreenWidth = 0;
int g_nScreenHeight = 0;

PW_EXTERN_C void DisplayChanged() {
    try {
        CThreadLock lock(L"DisplayChanged");
        pw::platform::GetWindows().PrimaryScreenSize(g_nScreenWidth, g_nScreenHeight);
    } catch (...) {
        pw::ReportException(L"DisplayChanged");
    }
}
