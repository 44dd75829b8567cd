#pragma once

#include "platform/platform.h"

namespace pw::win32 {

// The system's message boxes.
class Win32Dialogs final : public platform::Dialogs {
  public:
    int MessageBox(HWND owner, const Char* text, const Char* caption, unsigned int style) override;
};

} // namespace pw::win32
