#include "platform/win32/win32_api.h"

#include "platform/win32/win32_registry.h"

namespace pw::win32 {

long Win32Registry::OpenKey(HKEY root, const Char* subKey, unsigned long access, HKEY& key) {
    key = nullptr;
    if (!root)
        return ERROR_INVALID_HANDLE;
    return RegOpenKeyExW(root, subKey, 0, access, &key);
}

long Win32Registry::CreateKey(HKEY root, const Char* subKey, unsigned long access, HKEY& key) {
    key = nullptr;
    if (!root)
        return ERROR_INVALID_HANDLE;
    if (!subKey)
        return ERROR_INVALID_PARAMETER;
    return RegCreateKeyExW(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key,
                           nullptr);
}

long Win32Registry::CloseKey(HKEY key) {
    if (!key)
        return ERROR_INVALID_HANDLE;
    return RegCloseKey(key);
}

long Win32Registry::QueryValue(HKEY key, const Char* name, unsigned long* type, unsigned char* data,
                               unsigned long* size) {
    if (!key)
        return ERROR_INVALID_HANDLE;
    return RegQueryValueExW(key, name, nullptr, type, data, size);
}

long Win32Registry::SetValue(HKEY key, const Char* name, unsigned long type,
                             const unsigned char* data, unsigned long size) {
    if (!key)
        return ERROR_INVALID_HANDLE;
    return RegSetValueExW(key, name, 0, type, data, data ? size : 0);
}

long Win32Registry::DeleteValue(HKEY key, const Char* name) {
    if (!key)
        return ERROR_INVALID_HANDLE;
    return RegDeleteValueW(key, name);
}

} // namespace pw::win32
