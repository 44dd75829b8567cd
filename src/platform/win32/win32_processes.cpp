#include "platform/win32/win32_api.h"

#include "platform/win32/win32_processes.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cwchar>

namespace pw::win32 {

namespace {

void CopyEntry(const PROCESSENTRY32W& source, platform::ProcessEntry& entry) {
    entry.processId = source.th32ProcessID;
    size_t length = wcsnlen(source.szExeFile, std::size(source.szExeFile));
    length = std::min(length, std::size(entry.exeFile) - 1);
    std::wmemcpy(entry.exeFile, source.szExeFile, length);
    entry.exeFile[length] = 0;
}

} // namespace

HANDLE Win32Processes::OpenProcess(unsigned long access, unsigned long processId) {
    return ::OpenProcess(access, FALSE, processId);
}

HANDLE Win32Processes::CurrentProcess() {
    return ::GetCurrentProcess();
}

bool Win32Processes::CloseHandle(HANDLE handle) {
    return ::CloseHandle(handle) != FALSE;
}

unsigned long Win32Processes::ImageFileName(HANDLE process, Char* buffer, unsigned long capacity) {
    if (!buffer || capacity == 0)
        return 0;
    buffer[0] = 0;
    return ::K32GetProcessImageFileNameW(process, buffer, capacity);
}

unsigned long Win32Processes::ModuleFileName(HANDLE process, HMODULE module, Char* buffer,
                                             unsigned long capacity) {
    if (!buffer || capacity == 0)
        return 0;
    buffer[0] = 0;
    return ::K32GetModuleFileNameExW(process, module, buffer, capacity);
}

bool Win32Processes::EnumModules(HANDLE process, HMODULE* modules, unsigned long bytes,
                                 unsigned long& needed) {
    DWORD required = 0;
    BOOL ok = ::K32EnumProcessModules(process, modules, bytes, &required);
    needed = required;
    return ok != FALSE;
}

bool Win32Processes::FullImageName(HANDLE process, Char* buffer, unsigned long& size) {
    DWORD length = size;
    if (!::QueryFullProcessImageNameW(process, 0, buffer, &length))
        return false;
    size = length;
    return true;
}

HANDLE Win32Processes::CreateProcessSnapshot() {
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    return snapshot == INVALID_HANDLE_VALUE ? nullptr : snapshot;
}

bool Win32Processes::FirstProcess(HANDLE snapshot, platform::ProcessEntry& entry) {
    PROCESSENTRY32W source{};
    source.dwSize = sizeof source;
    if (!::Process32FirstW(snapshot, &source))
        return false;
    CopyEntry(source, entry);
    return true;
}

bool Win32Processes::NextProcess(HANDLE snapshot, platform::ProcessEntry& entry) {
    PROCESSENTRY32W source{};
    source.dwSize = sizeof source;
    if (!::Process32NextW(snapshot, &source))
        return false;
    CopyEntry(source, entry);
    return true;
}

bool Win32Processes::OpenProcessToken(HANDLE process, unsigned long access, HANDLE& token) {
    return ::OpenProcessToken(process, access, &token) != FALSE;
}

bool Win32Processes::TokenIntegrityLevel(HANDLE token, void* data, unsigned long size,
                                         unsigned long& needed, unsigned long& rid) {
    DWORD required = 0;
    BOOL ok = ::GetTokenInformation(token, ::TokenIntegrityLevel, data, data ? size : 0, &required);
    needed = required;
    if (!ok || !data)
        return false;
    auto* label = static_cast<TOKEN_MANDATORY_LABEL*>(data);
    PSID sid = label->Label.Sid;
    if (!sid || !::IsValidSid(sid)) {
        ::SetLastError(ERROR_INVALID_SID);
        return false;
    }
    UCHAR count = *::GetSidSubAuthorityCount(sid);
    if (count == 0) {
        ::SetLastError(ERROR_INVALID_SID);
        return false;
    }
    rid = *::GetSidSubAuthority(sid, count - 1);
    return true;
}

HMODULE Win32Processes::LoadedModule(const Char* name) {
    return ::GetModuleHandleW(name);
}

void* Win32Processes::ProcAddress(HMODULE module, const char* name) {
    if (!module || !name)
        return nullptr;
    return reinterpret_cast<void*>(::GetProcAddress(module, name));
}

} // namespace pw::win32
