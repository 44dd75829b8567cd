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

void Win32Clock::Sleep(unsigned ms) {
    ::Sleep(ms);
}

uint64_t Win32Clock::PerformanceFrequency() {
    LARGE_INTEGER frequency{};
    if (!QueryPerformanceFrequency(&frequency))
        return 0;
    return static_cast<uint64_t>(frequency.QuadPart);
}

uint64_t Win32Clock::PerformanceCounter() {
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    return static_cast<uint64_t>(counter.QuadPart);
}

} // namespace pw::win32
