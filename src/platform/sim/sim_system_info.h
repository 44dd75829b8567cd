#pragma once

#include "platform/platform.h"

#include <array>
#include <atomic>

namespace pw::sim {

// System facts the test sets: version, keyboard speed, remote session, key states.
class SimSystemInfo final : public platform::SystemInfo {
  public:
    bool OsVersion(unsigned long& major, unsigned long& minor) override;
    unsigned KeyboardSpeed() override { return keyboardSpeed; }
    unsigned KeyboardDelay() override { return keyboardDelay; }
    bool IsRemoteSession() override { return remoteSession; }
    short KeyState(int virtualKey) override;

    void SetKeyState(int virtualKey, short state);

    bool versionAvailable = true;
    unsigned long major = 10;
    unsigned long minor = 0;
    unsigned keyboardSpeed = 31;
    unsigned keyboardDelay = 1;
    bool remoteSession = false;

  private:
    std::array<std::atomic<short>, 256> keyStates_{};
};

} // namespace pw::sim
