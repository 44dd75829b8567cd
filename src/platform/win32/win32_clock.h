#pragma once

#include "platform/platform.h"

namespace pw::win32 {

// The system tick count and local time.
class Win32Clock final : public platform::Clock {
  public:
    uint32_t TickCount() override;
    bool LocalNow(platform::LocalTime& time) override;
    void Sleep(unsigned ms) override;
    uint64_t PerformanceFrequency() override;
    uint64_t PerformanceCounter() override;
};

} // namespace pw::win32
