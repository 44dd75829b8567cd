#pragma once

#include "platform/clipboard.h"

namespace pw::win32 {

class Win32Clipboard final : public platform::Clipboard {
  public:
    bool Open() override;
    void Close() override;
    bool ReadText(String& text) override;
    std::vector<platform::ClipboardFormat> ListFormats() override;
    bool ReadFormat(unsigned format, size_t limit, std::vector<uint8_t>& bytes,
                    size_t& size) override;
    bool Replace(const std::vector<platform::ClipboardFormat>& formats) override;
};

} // namespace pw::win32
