#include "platform/win32/win32_api.h"

#include "platform/win32/win32_shell.h"

#include <shellapi.h>

namespace pw::win32 {

bool Win32Shell::Execute(const Char* operation, const Char* file, const Char* parameters,
                         int show) {
    // The shell's result is an instance handle whose value above 32 means success.
    const HINSTANCE result = ::ShellExecuteW(nullptr, operation, file, parameters, nullptr, show);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool Win32Shell::ExecuteEx(const Char* verb, const Char* file, const Char* parameters, int show) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = verb;
    info.lpFile = file;
    info.lpParameters = parameters;
    info.nShow = show;
    if (!::ShellExecuteExW(&info))
        return false;
    // The started process runs on its own; only its handle was asked for.
    if (info.hProcess)
        ::CloseHandle(info.hProcess);
    return true;
}

bool Win32Shell::LockWorkStation() {
    return ::LockWorkStation() != FALSE;
}

void Win32Shell::Beep(unsigned type) {
    ::MessageBeep(type);
}

} // namespace pw::win32
