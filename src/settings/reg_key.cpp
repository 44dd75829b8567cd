#include "settings/reg_key.h"

#include "platform/platform.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

using namespace pw::platform;

namespace {

constexpr long kSuccess = static_cast<long>(kErrorSuccess);

} // namespace

CMyRegKey::CMyRegKey(const Char* subKey, HKEY root, unsigned long access) {
    HKEY key = nullptr;
    if (GetRegistry().OpenKey(root, subKey, access, key) == kSuccess)
        m_hKey = key;
}

CMyRegKey::~CMyRegKey() {
    Close();
}

CMyRegKey::CMyRegKey(CMyRegKey&& other) noexcept : m_hKey(std::exchange(other.m_hKey, nullptr)) {}

CMyRegKey& CMyRegKey::operator=(CMyRegKey&& other) noexcept {
    if (this != &other) {
        Close();
        m_hKey = std::exchange(other.m_hKey, nullptr);
    }
    return *this;
}

void CMyRegKey::Close() {
    if (!m_hKey)
        return;
    GetRegistry().CloseKey(m_hKey);
    m_hKey = nullptr;
}

bool CMyRegKey::IsValid() const {
    return m_hKey != nullptr;
}

bool CMyRegKey::KeyExists(const Char* subKey) const {
    if (!m_hKey)
        return false;
    HKEY key = nullptr;
    if (GetRegistry().OpenKey(m_hKey, subKey, kKeyRead, key) != kSuccess)
        return false;
    GetRegistry().CloseKey(key);
    return true;
}

bool CMyRegKey::CreateKey(const Char* subKey, HKEY root) {
    Registry& registry = GetRegistry();
    HKEY key = nullptr;
    if (root) {
        Close();
        if (registry.CreateKey(root, subKey, kKeyAllAccess, key) != kSuccess)
            return false;
        m_hKey = key;
        return true;
    }
    if (!m_hKey || registry.CreateKey(m_hKey, subKey, kKeyAllAccess, key) != kSuccess)
        return false;
    registry.CloseKey(key);
    return true;
}

bool CMyRegKey::ValueExists(const Char* name, unsigned long type) const {
    if (!m_hKey)
        return false;
    unsigned long storedType = kRegNone;
    unsigned long size = 0;
    if (GetRegistry().QueryValue(m_hKey, name, &storedType, nullptr, &size) != kSuccess)
        return false;
    return storedType == type;
}

bool CMyRegKey::DeleteValue(const Char* name) {
    return m_hKey && GetRegistry().DeleteValue(m_hKey, name) == kSuccess;
}

bool CMyRegKey::SetValue(const Char* name, unsigned long value) {
    if (!m_hKey)
        return false;
    // A REG_DWORD is 32 bits wide whatever the width of unsigned long.
    auto dword = static_cast<uint32_t>(value);
    return GetRegistry().SetValue(m_hKey, name, kRegDword,
                                  reinterpret_cast<const unsigned char*>(&dword),
                                  sizeof dword) == kSuccess;
}

bool CMyRegKey::SetValue(const Char* name, const Char* text) {
    if (!m_hKey || !text)
        return false;
    auto bytes = static_cast<unsigned long>((std::wcslen(text) + 1) * sizeof(Char));
    return GetRegistry().SetValue(m_hKey, name, kRegSz,
                                  reinterpret_cast<const unsigned char*>(text), bytes) == kSuccess;
}

bool CMyRegKey::GetValue(const Char* name, unsigned long* value) const {
    if (!m_hKey || !value)
        return false;
    unsigned long type = kRegNone;
    uint32_t dword = 0;
    unsigned long size = sizeof dword;
    if (GetRegistry().QueryValue(m_hKey, name, &type, reinterpret_cast<unsigned char*>(&dword),
                                 &size) != kSuccess)
        return false;
    if (type != kRegDword || size != sizeof dword)
        return false;
    *value = dword;
    return true;
}

bool CMyRegKey::GetValue(const Char* name, Char* buffer, unsigned long bufferBytes) const {
    if (!m_hKey || !buffer || bufferBytes < sizeof(Char))
        return false;
    Registry& registry = GetRegistry();
    unsigned long type = kRegNone;
    unsigned long size = 0;
    if (registry.QueryValue(m_hKey, name, &type, nullptr, &size) != kSuccess)
        return false;
    if (type != kRegSz || size > bufferBytes)
        return false;
    if (registry.QueryValue(m_hKey, name, &type, reinterpret_cast<unsigned char*>(buffer), &size) !=
            kSuccess ||
        type != kRegSz)
        return false;
    // Stored strings normally carry their terminator, but the registry does not insist.
    size_t length = size / sizeof(Char);
    if (length > 0 && buffer[length - 1] == 0)
        return true;
    if (length < bufferBytes / sizeof(Char)) {
        buffer[length] = 0;
        return true;
    }
    buffer[0] = 0;
    return false;
}

bool CMyRegKey::GetValue(const Char* name, unsigned long* type, unsigned char** data,
                         unsigned long* size) const {
    if (!m_hKey || !type || !data || !size)
        return false;
    Registry& registry = GetRegistry();
    unsigned long storedType = kRegNone;
    unsigned long storedSize = 0;
    if (registry.QueryValue(m_hKey, name, &storedType, nullptr, &storedSize) != kSuccess)
        return false;
    auto* block = new (std::nothrow) unsigned char[storedSize + 1];
    if (!block)
        return false;
    std::memset(block, 0, storedSize + 1);
    if (registry.QueryValue(m_hKey, name, &storedType, block, &storedSize) != kSuccess) {
        delete[] block;
        return false;
    }
    *type = storedType;
    *data = block;
    *size = storedSize;
    return true;
}
