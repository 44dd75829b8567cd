#pragma once

#include "platform/libraries.h"

namespace pw::win32 {

class Win32Libraries final : public platform::Libraries {
  public:
    HMODULE Load(const Char* name) override;
    void* Export(HMODULE library, const char* name) override;
    bool Free(HMODULE library) override;
    bool IsStandIn(HMODULE library) override;
};

} // namespace pw::win32
