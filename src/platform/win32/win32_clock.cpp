#include "platform/win32/win32_api.h"

#include "platform/win32/win32_clock.h"

namespace pw::win32 {

uint32_t Win32Clock::TickCount() {
    return GetTickCount();
}

bool Win32Clock::LocalNow(platform::LocalTime& time) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    time.year = now.wYear;
    time.month = now.wMonth;
    time.day = now.wDay;
    time.hour = now.wHour;
    time.minute = now.wMinute;
    time.second = now.wSecond;
    time.millisecond = now.wMilliseconds;
    return true;
}

} // namespace pw::win32
