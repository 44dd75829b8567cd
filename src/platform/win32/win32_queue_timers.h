#pragma once

#include "platform/platform.h"

namespace pw::win32 {

// One-shot timers of the system's default timer queue.
class Win32QueueTimers final : public platform::QueueTimers {
  public:
    HANDLE Create(unsigned dueMs, Callback callback, void* parameter) override;
    bool Delete(HANDLE timer) override;
};

} // namespace pw::win32
