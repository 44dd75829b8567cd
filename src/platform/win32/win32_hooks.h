#pragma once

#include "platform/platform.h"

namespace pw::win32 {

// Low-level hooks over SetWindowsHookExW, owned by the library's module.
class Win32Hooks final : public platform::Hooks {
  public:
    HHOOK SetHook(Kind kind, Proc proc) override;
    bool Unhook(HHOOK hook) override;
};

} // namespace pw::win32
