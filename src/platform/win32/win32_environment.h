#pragma once

#include "platform/platform.h"

namespace pw::win32 {

// The process environment, the temporary folder and the executable's path.
class Win32Environment final : public platform::Environment {
  public:
    bool GetVariable(const Char* name, String& value) override;
    String TempFolder() override;
    String ExecutablePath() override;
};

} // namespace pw::win32
