#include "platform/sim/sim_system_info.h"

namespace pw::sim {

bool SimSystemInfo::OsVersion(unsigned long& outMajor, unsigned long& outMinor) {
    if (!versionAvailable)
        return false;
    outMajor = major;
    outMinor = minor;
    return true;
}

short SimSystemInfo::KeyState(int virtualKey) {
    if (virtualKey < 0 || virtualKey >= static_cast<int>(keyStates_.size()))
        return 0;
    return keyStates_[static_cast<size_t>(virtualKey)].load();
}

void SimSystemInfo::SetKeyState(int virtualKey, short state) {
    if (virtualKey >= 0 && virtualKey < static_cast<int>(keyStates_.size()))
        keyStates_[static_cast<size_t>(virtualKey)].store(state);
}

} // namespace pw::sim
