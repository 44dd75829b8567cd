#include "platform/sim/sim_environment.h"

namespace pw::sim {

SimEnvironment::SimEnvironment()
    : tempFolder_(L"C:\\Users\\User\\AppData\\Local\\Temp\\"),
      executablePath_(L"C:\\Program Files\\Pallawick\\Pallawick.exe") {
    variables_[L"APPDATA"] = L"C:\\Users\\User\\AppData\\Roaming";
}

bool SimEnvironment::GetVariable(const Char* name, String& value) {
    std::lock_guard lock(mutex_);
    auto it = variables_.find(name ? name : L"");
    if (it == variables_.end())
        return false;
    value = it->second;
    return true;
}

String SimEnvironment::TempFolder() {
    std::lock_guard lock(mutex_);
    return tempFolder_;
}

String SimEnvironment::ExecutablePath() {
    std::lock_guard lock(mutex_);
    return executablePath_;
}

void SimEnvironment::SetVariable(StringView name, StringView value) {
    std::lock_guard lock(mutex_);
    variables_[String(name)] = String(value);
}

void SimEnvironment::UnsetVariable(StringView name) {
    std::lock_guard lock(mutex_);
    variables_.erase(String(name));
}

void SimEnvironment::SetTempFolder(StringView folder) {
    std::lock_guard lock(mutex_);
    tempFolder_ = folder;
}

void SimEnvironment::SetExecutablePath(StringView path) {
    std::lock_guard lock(mutex_);
    executablePath_ = path;
}

} // namespace pw::sim
