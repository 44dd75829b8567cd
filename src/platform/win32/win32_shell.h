#pragma once

#include "platform/platform.h"

namespace pw::win32 {

class Win32Shell final : public platform::Shell {
  public:
    bool Execute(const Char* operation, const Char* file, const Char* parameters,
                 int show) override;
    bool ExecuteEx(const Char* verb, const Char* file, const Char* parameters, int show) override;
    bool LockWorkStation() override;
    void Beep(unsigned type) override;
};

} // namespace pw::win32
