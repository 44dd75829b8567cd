#pragma once

#include "platform/platform.h"

namespace pw::win32 {

// The debugger output channel, the system's error codes and texts, and the log file's
// code page.
class Win32Diagnostics final : public platform::Diagnostics {
  public:
    void DebugOutput(const Char* text) override;
    uint32_t LastError() override;
    void SetLastError(uint32_t code) override;
    String SystemErrorText(uint32_t code) override;
    int ToThreadCodePage(const Char* text, int length, char* buffer, int capacity) override;
};

} // namespace pw::win32
