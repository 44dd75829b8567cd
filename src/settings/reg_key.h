#pragma once

// A registry key owned by one object: opened (or created) on construction or through
// CreateKey, closed on destruction. Results are true for success and false for failure.

#include <PallawickHook/platform/system_types.h>
#include <PallawickHook/platform/text_types.h>
#include <PallawickHook/support/export.h>

class PW_API CMyRegKey {
  public:
    // Opens root\subKey with access; the key is not valid when that fails.
    CMyRegKey(const Char* subKey, HKEY root, unsigned long access);
    ~CMyRegKey();
    CMyRegKey(CMyRegKey&& other) noexcept;
    CMyRegKey& operator=(CMyRegKey&& other) noexcept;
    // One owner per handle: copying would close the key twice.
    CMyRegKey(const CMyRegKey&) = delete;
    CMyRegKey& operator=(const CMyRegKey&) = delete;

    bool IsValid() const;
    HKEY Handle() const { return m_hKey; }

    // Whether subKey below this key can be opened for reading.
    bool KeyExists(const Char* subKey) const;
    // With a root: closes this key and creates or opens root\subKey with full access as
    // the new key. Without one: creates or opens subKey below this key and closes it again.
    bool CreateKey(const Char* subKey, HKEY root = nullptr);

    // Whether the value exists with exactly this type.
    bool ValueExists(const Char* name, unsigned long type) const;
    bool DeleteValue(const Char* name);

    // Writes a 32-bit REG_DWORD.
    bool SetValue(const Char* name, unsigned long value);
    // Writes a REG_SZ of the whole text with its terminator.
    bool SetValue(const Char* name, const Char* text);

    // Reads a REG_DWORD; value is left alone on failure.
    bool GetValue(const Char* name, unsigned long* value) const;
    // Reads a REG_SZ whose stored size is at most bufferBytes and which fits with its
    // terminator; the buffer is left alone when the value is missing, of another type or
    // too large.
    bool GetValue(const Char* name, Char* buffer, unsigned long bufferBytes) const;
    // Reads a value of any type into a new block of size + 1 bytes (the extra byte is 0);
    // the caller releases it with delete[].
    bool GetValue(const Char* name, unsigned long* type, unsigned char** data,
                  unsigned long* size) const;

  private:
    void Close();

    HKEY m_hKey = nullptr;
};
