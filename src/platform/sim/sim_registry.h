#pragma once

#include "platform/platform.h"

#include <map>
#include <mutex>
#include <vector>

namespace pw::sim {

// An in-memory registry. Key and value names compare without regard to case, as the
// system's do.
class SimRegistry final : public platform::Registry {
  public:
    long OpenKey(HKEY root, const Char* subKey, unsigned long access, HKEY& key) override;
    long CreateKey(HKEY root, const Char* subKey, unsigned long access, HKEY& key) override;
    long CloseKey(HKEY key) override;
    long QueryValue(HKEY key, const Char* name, unsigned long* type, unsigned char* data,
                    unsigned long* size) override;
    long SetValue(HKEY key, const Char* name, unsigned long type, const unsigned char* data,
                  unsigned long size) override;
    long DeleteValue(HKEY key, const Char* name) override;

    // Test helpers working on full paths such as L"HKCU\\Software\\X".
    void SetString(StringView keyPath, StringView name, StringView value);
    void SetDword(StringView keyPath, StringView name, uint32_t value);
    size_t OpenHandleCount() const;

  private:
    struct Value {
        unsigned long type = 0;
        std::vector<unsigned char> data;
    };
    using Key = std::map<String, Value>;

    // Full lower-case path of root\subKey, or empty when root is not a known handle.
    String ResolveLocked(HKEY root, const Char* subKey) const;
    void Store(StringView keyPath, StringView name, unsigned long type, const void* data,
               size_t size);

    mutable std::mutex mutex_;
    std::map<String, Key> keys_;
    std::map<std::uintptr_t, String> handles_;
    std::uintptr_t nextHandle_ = 0x1000;
};

} // namespace pw::sim
