#include "platform/win32/win32_api.h"

#include "platform/win32/win32_queue_timers.h"

namespace pw::win32 {

HANDLE Win32QueueTimers::Create(unsigned dueMs, Callback callback, void* parameter) {
    // The callback's shape is the system's: a pointer and a BOOLEAN.
    HANDLE timer = nullptr;
    if (!::CreateTimerQueueTimer(&timer, nullptr, callback, parameter, dueMs, 0,
                                 WT_EXECUTEINTIMERTHREAD | WT_EXECUTEONLYONCE))
        return nullptr;
    return timer;
}

bool Win32QueueTimers::Delete(HANDLE timer) {
    return ::DeleteTimerQueueTimer(nullptr, timer, nullptr) != FALSE;
}

} // namespace pw::win32
