#include "platform/win32/win32_api.h"

#include "platform/win32/win32_diagnostics.h"

#include <cwctype>

namespace pw::win32 {

void Win32Diagnostics::DebugOutput(const Char* text) {
    // Callers log between a failing call and their reading of its error code, so the
    // output must leave that code alone.
    DWORD error = GetLastError();
    OutputDebugStringW(text ? text : L"");
    SetLastError(error);
}

uint32_t Win32Diagnostics::LastError() {
    return GetLastError();
}

void Win32Diagnostics::SetLastError(uint32_t code) {
    ::SetLastError(code);
}

String Win32Diagnostics::SystemErrorText(uint32_t code) {
    wchar_t* buffer = nullptr;
    DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                  FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK;
    // With ALLOCATE_BUFFER the buffer argument receives the address of the system's block.
    DWORD length =
        FormatMessageW(flags, nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    if (!buffer)
        return String();
    // MAX_WIDTH_MASK turns line breaks into blanks; the text still ends with one.
    while (length > 0 && std::iswspace(buffer[length - 1]))
        --length;
    String text(buffer, length);
    LocalFree(buffer);
    return text;
}

int Win32Diagnostics::ToThreadCodePage(const Char* text, int length, char* buffer, int capacity) {
    return WideCharToMultiByte(CP_THREAD_ACP, 0, text, length, buffer, capacity, nullptr, nullptr);
}

} // namespace pw::win32
