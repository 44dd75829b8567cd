#pragma once

#include "platform/platform.h"

namespace pw::win32 {

class Win32Cursors final : public platform::Cursors {
  public:
    HINSTANCE LibraryModule() override;
    HICON LoadCursorResource(HINSTANCE module, unsigned resourceId) override;
    bool DestroyCursor(HICON cursor) override;
    bool ReplaceSystemCursor(HICON cursor, unsigned long systemId) override;
};

} // namespace pw::win32
