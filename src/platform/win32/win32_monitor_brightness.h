#pragma once

#include "platform/monitor_brightness.h"

namespace pw::win32 {

// The built-in monitor's brightness through WMI. Each call connects afresh and releases
// everything before it returns; it initialises COM for its thread when that was not
// done yet (the send-input thread plays brightness tags too).
class Win32MonitorBrightness final : public platform::MonitorBrightness {
  public:
    int32_t InitializeCom() override;
    void UninitializeCom() override;
    platform::WmiStep Read(int& percent, int32_t& result) override;
    platform::WmiStep Write(int percent, int32_t& result) override;
};

} // namespace pw::win32
