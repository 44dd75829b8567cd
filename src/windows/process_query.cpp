#include "windows/process_query.h"

#include "platform/platform.h"
#include "support/logger.h"
#include "support/text_compare.h"
#include "windows/process_name.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace pw::windows {

namespace {

constexpr unsigned long kPathCapacity = 2047;
constexpr unsigned long kFirstModuleCapacity = 259;
constexpr unsigned long kModuleTableBytes = 16384;
constexpr unsigned long kNameAccess = platform::kProcessQueryInformation | platform::kProcessVmRead;

unsigned Low32(const void* handle) {
    return static_cast<unsigned>(reinterpret_cast<uintptr_t>(handle));
}

int AsInt(unsigned long value) {
    return static_cast<int>(value);
}

// Closes a process, token or snapshot handle when the scope ends, also on an exception.
class OwnedHandle {
  public:
    explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
    ~OwnedHandle() {
        if (handle_)
            platform::GetProcesses().CloseHandle(handle_);
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    HANDLE Get() const { return handle_; }

  private:
    HANDLE handle_;
};

// The file name of a path, lower case: the whole path is lowered first, then the part
// after the last backslash is kept.
void StoreFileName(Char* path, Char* name, int nameLen) {
    LowerInPlace(path);
    StringView text(path);
    const size_t slash = text.find_last_of(L'\\');
    CopyTruncated(name, nameLen, slash == StringView::npos ? text : text.substr(slash + 1));
}

void LogFound(const LookupCaller& caller, unsigned long pid, const Char* name, HWND hwnd,
              const Char* query) {
    if (!hwnd)
        CLogger::LogDebug(L"GetProcessName(%d %ls): Got name for PID %d, '%ls' using %ls",
                          caller.id, caller.name, AsInt(pid), name, query);
    else
        CLogger::LogDebug(
            L"GetProcessName(%d %ls): Got name for PID %d, '%ls' for HWND 0x%08X using %ls",
            caller.id, caller.name, AsInt(pid), name, Low32(hwnd), query);
}

bool NameFromModules(HANDLE process, HWND hwnd, unsigned long pid, Char* path, Char* name,
                     int nameLen, const LookupCaller& caller) {
    auto& processes = platform::GetProcesses();
    std::array<HMODULE, kModuleTableBytes / sizeof(HMODULE)> modules{};
    unsigned long needed = 0;
    if (!processes.EnumModules(process, modules.data(), kModuleTableBytes, needed)) {
        const unsigned long error = platform::GetDiagnostics().LastError();
        CLogger::LogOSMessage(error,
                              L"GetProcessName(%d %ls): Error %d in EnumProcessModules(). Unable "
                              L"to get name for PID %d, HWND 0x%08X",
                              caller.id, caller.name, AsInt(error), AsInt(pid), Low32(hwnd));
        return false;
    }
    if (processes.ModuleFileName(process, modules[0], path, kFirstModuleCapacity) == 0)
        return false;
    StoreFileName(path, name, nameLen);
    CLogger::LogDebug(L"GetProcessName(%d %ls): Got name for PID %d, '%ls' for HWND 0x%08X using "
                      L"EnumProcessModules",
                      caller.id, caller.name, AsInt(pid), name, Low32(hwnd));
    return true;
}

} // namespace

void CopyTruncated(Char* dest, int capacity, StringView text) {
    if (!dest || capacity <= 0)
        return;
    const size_t count = std::min(text.size(), static_cast<size_t>(capacity - 1));
    std::copy_n(text.data(), count, dest);
    dest[count] = 0;
}

void AppendTruncated(Char* dest, int capacity, StringView text) {
    if (!dest || capacity <= 0)
        return;
    const size_t used = BoundedLength(dest, static_cast<size_t>(capacity));
    if (used >= static_cast<size_t>(capacity)) {
        dest[capacity - 1] = 0;
        return;
    }
    CopyTruncated(dest + used, capacity - static_cast<int>(used), text);
}

bool NameFromOpenProcess(HWND hwnd, unsigned long pid, Char* name, int nameLen,
                         const LookupCaller& caller) {
    auto& processes = platform::GetProcesses();
    OwnedHandle process(processes.OpenProcess(kNameAccess, pid));
    if (!process.Get()) {
        const unsigned long error = platform::GetDiagnostics().LastError();
        CLogger::LogOSMessage(error,
                              L"GetProcessName(%d %ls): Error %d in GetProcessName(). Unable to "
                              L"get name for PID %d, HWND 0x%08X",
                              caller.id, caller.name, AsInt(error), AsInt(pid), Low32(hwnd));
        return false;
    }
    g_dwLastIntegrity = GetProcessIntegrityLevel(process.Get());

    std::array<Char, kPathCapacity> path{};
    if (processes.ImageFileName(process.Get(), path.data(), kPathCapacity) > 0) {
        StoreFileName(path.data(), name, nameLen);
        LogFound(caller, pid, name, hwnd, L"GetProcessImageFileName");
        return true;
    }
    path.fill(0);
    if (processes.ModuleFileName(process.Get(), nullptr, path.data(), kPathCapacity) > 0) {
        StoreFileName(path.data(), name, nameLen);
        LogFound(caller, pid, name, hwnd, L"GetModuleFileNameEx");
        return true;
    }
    path.fill(0);
    return NameFromModules(process.Get(), hwnd, pid, path.data(), name, nameLen, caller);
}

bool NameFromSnapshot(HWND hwnd, unsigned long pid, Char* name, int nameLen,
                      const LookupCaller& caller) {
    auto& processes = platform::GetProcesses();
    OwnedHandle snapshot(processes.CreateProcessSnapshot());
    if (!snapshot.Get()) {
        const unsigned long error = platform::GetDiagnostics().LastError();
        CLogger::LogOSMessage(error,
                              L"GetProcessName(%d %ls): Error %d in CreateToolhelp32Snapshot(). "
                              L"Unable to snapshot the processes.",
                              caller.id, caller.name, AsInt(error));
        return false;
    }
    platform::ProcessEntry entry;
    for (bool more = processes.FirstProcess(snapshot.Get(), entry); more;
         more = processes.NextProcess(snapshot.Get(), entry)) {
        if (entry.processId != pid)
            continue;
        CopyTruncated(
            name, nameLen,
            StringView(entry.exeFile, BoundedLength(entry.exeFile, std::size(entry.exeFile))));
        CLogger::LogDebug(L"GetProcessName(%d %ls): Got name for PID %d, '%ls' for HWND 0x%08X "
                          L"using CreateToolhelp32Snapshot",
                          caller.id, caller.name, AsInt(pid), name, Low32(hwnd));
        return true;
    }
    return false;
}

} // namespace pw::windows

unsigned long GetProcessIntegrityLevel(HANDLE process) {
    auto& processes = pw::platform::GetProcesses();
    const unsigned handleValue = pw::windows::Low32(process);
    unsigned long level = pw::windows::kUnknownIntegrity;
    bool found = false;
    HANDLE opened = nullptr;
    if (processes.OpenProcessToken(process, pw::platform::kTokenQuery, opened)) {
        pw::windows::OwnedHandle token(opened);
        unsigned long needed = 0;
        unsigned long rid = 0;
        if (!processes.TokenIntegrityLevel(token.Get(), nullptr, 0, needed, rid) &&
            pw::platform::GetDiagnostics().LastError() == pw::platform::kErrorInsufficientBuffer &&
            needed > 0) {
            std::vector<unsigned char> label(needed);
            found = processes.TokenIntegrityLevel(token.Get(), label.data(), needed, needed, rid);
            if (found)
                level = rid;
        }
    }
    if (!found) {
        CLogger::LogDebug(L"GetProcessIntegrityLevel for 0x%08X failed", handleValue);
        return pw::windows::kUnknownIntegrity;
    }
    CLogger::LogDebug(L"GetProcessIntegrityLevel for 0x%08X returned 0x%08X", handleValue,
                      static_cast<unsigned>(level));
    return level;
}
