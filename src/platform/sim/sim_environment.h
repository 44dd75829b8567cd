#pragma once

#include "platform/platform.h"

#include <map>
#include <mutex>

namespace pw::sim {

// Environment variables and well-known paths of the simulated session.
class SimEnvironment final : public platform::Environment {
  public:
    SimEnvironment();

    bool GetVariable(const Char* name, String& value) override;
    String TempFolder() override;
    String ExecutablePath() override;

    void SetVariable(StringView name, StringView value);
    void UnsetVariable(StringView name);
    void SetTempFolder(StringView folder);
    void SetExecutablePath(StringView path);

  private:
    mutable std::mutex mutex_;
    std::map<String, String> variables_;
    String tempFolder_;
    String executablePath_;
};

} // namespace pw::sim
