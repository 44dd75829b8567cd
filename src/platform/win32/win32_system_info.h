#pragma once

#include "platform/platform.h"

namespace pw::win32 {

// The system version, keyboard repeat speed, session kind and key states.
class Win32SystemInfo final : public platform::SystemInfo {
  public:
    bool OsVersion(unsigned long& major, unsigned long& minor) override;
    unsigned KeyboardSpeed() override;
    unsigned KeyboardDelay() override;
    bool IsRemoteSession() override;
    short KeyState(int virtualKey) override;
};

} // namespace pw::win32
