#include "platform/win32/win32_api.h"

#include "platform/win32/win32_environment.h"

namespace pw::win32 {

namespace {
// The longest path or variable value the system hands out.
constexpr DWORD kMaxSystemString = 32768;
} // namespace

bool Win32Environment::GetVariable(const Char* name, String& value) {
    if (!name || !*name)
        return false;
    String buffer(MAX_PATH, L'\0');
    for (;;) {
        // A set but empty variable also returns 0; only the error code tells them apart.
        SetLastError(ERROR_SUCCESS);
        DWORD length =
            GetEnvironmentVariableW(name, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            if (GetLastError() != ERROR_SUCCESS)
                return false;
            value.clear();
            return true;
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            value = std::move(buffer);
            return true;
        }
        // Too small: length is the size needed, terminator included.
        if (length > kMaxSystemString)
            return false;
        buffer.assign(length, L'\0');
    }
}

String Win32Environment::TempFolder() {
    String buffer(MAX_PATH + 1, L'\0');
    DWORD length = GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length >= buffer.size() && length <= kMaxSystemString) {
        buffer.assign(length + 1, L'\0');
        length = GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
    }
    if (length == 0 || length >= buffer.size())
        return String();
    buffer.resize(length);
    if (buffer.back() != L'\\')
        buffer += L'\\';
    return buffer;
}

String Win32Environment::ExecutablePath() {
    // GetModuleFileNameW truncates silently when the buffer is full: grow until it is not.
    for (DWORD capacity = MAX_PATH; capacity <= kMaxSystemString; capacity *= 2) {
        String buffer(capacity, L'\0');
        DWORD length = GetModuleFileNameW(nullptr, buffer.data(), capacity);
        if (length == 0)
            return String();
        if (length < capacity) {
            buffer.resize(length);
            return buffer;
        }
    }
    return String();
}

} // namespace pw::win32
