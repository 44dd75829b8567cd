#pragma once

#include "platform/clipboard.h"

namespace pw::win32 {

class Win32Clipboard final : public platform::Clipboard {
  public:
    bool Open() override;
    void Close() override;
    bool ReadText(String& text) override;
    std::vector<platform::ClipboardFormat> ReadAll() override;
    bool Replace(const std::vector<platform::ClipboardFormat>& formats) override;
};

} // namespace pw::win32
