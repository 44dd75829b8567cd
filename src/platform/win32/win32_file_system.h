#pragma once

#include "platform/platform.h"

namespace pw::win32 {

// Files and folders through the system's wide-character file calls.
class Win32FileSystem final : public platform::FileSystem {
  public:
    std::unique_ptr<platform::File> Open(const Char* path, platform::FileOpen mode,
                                         uint32_t& error) override;
    bool Exists(const Char* path) override;
    bool IsDirectory(const Char* path) override;
    bool CreateDirectory(const Char* path) override;
    bool Replace(const Char* source, const Char* target) override;
    bool Remove(const Char* path) override;
};

} // namespace pw::win32
