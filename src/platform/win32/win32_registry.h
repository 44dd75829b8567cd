#pragma once

#include "platform/platform.h"

namespace pw::win32 {

// The system registry; results are the system's error codes.
class Win32Registry final : public platform::Registry {
  public:
    long OpenKey(HKEY root, const Char* subKey, unsigned long access, HKEY& key) override;
    long CreateKey(HKEY root, const Char* subKey, unsigned long access, HKEY& key) override;
    long CloseKey(HKEY key) override;
    long QueryValue(HKEY key, const Char* name, unsigned long* type, unsigned char* data,
                    unsigned long* size) override;
    long SetValue(HKEY key, const Char* name, unsigned long type, const unsigned char* data,
                  unsigned long size) override;
    long DeleteValue(HKEY key, const Char* name) override;
};

} // namespace pw::win32
