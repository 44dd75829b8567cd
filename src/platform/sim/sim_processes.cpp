#include "platform/sim/sim_processes.h"

#include "platform/sim/sim_diagnostics.h"

#include <algorithm>
#include <cwctype>

namespace pw::sim {

namespace {

using Lock = std::lock_guard<std::mutex>;

// A mandatory label with a one-sub-authority SID, as the token query sizes it.
constexpr unsigned long kLabelBytes = 28;
// GetCurrentProcess's pseudo-handle, and the id of the library's own process.
const HANDLE kCurrentProcess = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(-1));
constexpr unsigned long kOwnProcessId = 0x7FFF0000;
const StringView kDevicePrefix = L"\\Device\\HarddiskVolume3";

String FileNameOf(StringView path) {
    size_t slash = path.find_last_of(L'\\');
    return String(slash == StringView::npos ? path : path.substr(slash + 1));
}

unsigned long CopyOut(StringView text, Char* buffer, unsigned long capacity) {
    if (!buffer || capacity == 0)
        return 0;
    size_t count = std::min(text.size(), static_cast<size_t>(capacity - 1));
    std::copy_n(text.data(), count, buffer);
    buffer[count] = 0;
    return static_cast<unsigned long>(count);
}

} // namespace

SimProcesses::SimProcesses(SimDiagnostics& diagnostics) : diagnostics_(diagnostics) {
    own_.processId = kOwnProcessId;
    own_.imagePath = L"C:\\Program Files\\Pallawick\\Pallawick.exe";
}

HANDLE SimProcesses::CurrentProcess() {
    return kCurrentProcess;
}

void SimProcesses::SetOwnIntegrity(unsigned long integrity) {
    Lock lock(mutex_);
    own_.integrity = integrity;
}

String SimProcesses::Lower(StringView text) {
    String lower(text);
    for (Char& c : lower)
        c = static_cast<Char>(std::towlower(static_cast<std::wint_t>(c)));
    return lower;
}

bool SimProcesses::Fail(unsigned long error) {
    diagnostics_.SetLastError(error);
    return false;
}

HANDLE SimProcesses::NewHandleLocked(Handle handle) {
    std::uintptr_t value = nextHandle_;
    nextHandle_ += 4;
    handles_.emplace(value, std::move(handle));
    return reinterpret_cast<HANDLE>(value);
}

const SimProcess* SimProcesses::ProcessOfLocked(HANDLE handle, Kind kind) {
    if (handle == kCurrentProcess && kind == Kind::Process)
        return &own_;
    auto found = handles_.find(reinterpret_cast<std::uintptr_t>(handle));
    if (found == handles_.end() || found->second.kind != kind) {
        Fail(platform::kErrorInvalidHandle);
        return nullptr;
    }
    if (found->second.processId == kOwnProcessId)
        return &own_;
    auto process = processes_.find(found->second.processId);
    if (process == processes_.end()) {
        // The process ended while the handle was open.
        Fail(platform::kErrorAccessDenied);
        return nullptr;
    }
    return &process->second;
}

HANDLE SimProcesses::OpenProcess(unsigned long, unsigned long processId) {
    Lock lock(mutex_);
    auto found = processes_.find(processId);
    if (found == processes_.end()) {
        Fail(platform::kErrorInvalidParameter);
        return nullptr;
    }
    if (found->second.accessDenied) {
        Fail(platform::kErrorAccessDenied);
        return nullptr;
    }
    ++openCount_;
    return NewHandleLocked(Handle{Kind::Process, processId, {}, 0});
}

bool SimProcesses::CloseHandle(HANDLE handle) {
    if (handle == kCurrentProcess)
        return true;
    Lock lock(mutex_);
    if (handles_.erase(reinterpret_cast<std::uintptr_t>(handle)) == 0)
        return Fail(platform::kErrorInvalidHandle);
    return true;
}

unsigned long SimProcesses::ImageFileName(HANDLE process, Char* buffer, unsigned long capacity) {
    Lock lock(mutex_);
    const SimProcess* found = ProcessOfLocked(process, Kind::Process);
    if (!found)
        return 0;
    if (found->imageNameFails) {
        Fail(platform::kErrorAccessDenied);
        return 0;
    }
    // The device form of the path: the drive is replaced by its volume.
    StringView path = found->imagePath;
    String device(kDevicePrefix);
    device += path.size() >= 2 && path[1] == L':' ? path.substr(2) : path;
    return CopyOut(device, buffer, capacity);
}

unsigned long SimProcesses::ModuleFileName(HANDLE process, HMODULE, Char* buffer,
                                           unsigned long capacity) {
    Lock lock(mutex_);
    const SimProcess* found = ProcessOfLocked(process, Kind::Process);
    if (!found)
        return 0;
    if (found->moduleNameFails) {
        Fail(platform::kErrorAccessDenied);
        return 0;
    }
    return CopyOut(found->imagePath, buffer, capacity);
}

bool SimProcesses::EnumModules(HANDLE process, HMODULE* modules, unsigned long bytes,
                               unsigned long& needed) {
    Lock lock(mutex_);
    const SimProcess* found = ProcessOfLocked(process, Kind::Process);
    if (!found)
        return false;
    if (found->enumModulesFails)
        return Fail(platform::kErrorAccessDenied);
    needed = sizeof(HMODULE);
    if (modules && bytes >= sizeof(HMODULE))
        modules[0] = reinterpret_cast<HMODULE>(std::uintptr_t{0x400000});
    return true;
}

bool SimProcesses::FullImageName(HANDLE process, Char* buffer, unsigned long& size) {
    Lock lock(mutex_);
    const SimProcess* found = ProcessOfLocked(process, Kind::Process);
    if (!found)
        return false;
    if (found->imageNameFails)
        return Fail(platform::kErrorAccessDenied);
    if (!buffer || size <= found->imagePath.size())
        return Fail(platform::kErrorInsufficientBuffer);
    size = CopyOut(found->imagePath, buffer, size);
    return true;
}

HANDLE SimProcesses::CreateProcessSnapshot() {
    Lock lock(mutex_);
    if (snapshotFails) {
        Fail(platform::kErrorAccessDenied);
        return nullptr;
    }
    Handle snapshot{Kind::Snapshot, 0, {}, 0};
    for (const auto& [id, process] : processes_) {
        platform::ProcessEntry entry;
        entry.processId = id;
        String name =
            process.snapshotName.empty() ? FileNameOf(process.imagePath) : process.snapshotName;
        CopyOut(name, entry.exeFile, static_cast<unsigned long>(std::size(entry.exeFile)));
        snapshot.entries.push_back(entry);
    }
    return NewHandleLocked(std::move(snapshot));
}

bool SimProcesses::FirstProcess(HANDLE snapshot, platform::ProcessEntry& entry) {
    {
        Lock lock(mutex_);
        auto found = handles_.find(reinterpret_cast<std::uintptr_t>(snapshot));
        if (found == handles_.end() || found->second.kind != Kind::Snapshot)
            return Fail(platform::kErrorInvalidHandle);
        found->second.next = 0;
    }
    return NextProcess(snapshot, entry);
}

bool SimProcesses::NextProcess(HANDLE snapshot, platform::ProcessEntry& entry) {
    Lock lock(mutex_);
    auto found = handles_.find(reinterpret_cast<std::uintptr_t>(snapshot));
    if (found == handles_.end() || found->second.kind != Kind::Snapshot)
        return Fail(platform::kErrorInvalidHandle);
    Handle& list = found->second;
    constexpr unsigned long kNoMoreFiles = 18;
    if (list.next >= list.entries.size())
        return Fail(kNoMoreFiles);
    entry = list.entries[list.next++];
    return true;
}

bool SimProcesses::OpenProcessToken(HANDLE process, unsigned long, HANDLE& token) {
    Lock lock(mutex_);
    const SimProcess* found = ProcessOfLocked(process, Kind::Process);
    if (!found)
        return false;
    if (found->tokenDenied)
        return Fail(platform::kErrorAccessDenied);
    token = NewHandleLocked(Handle{Kind::Token, found->processId, {}, 0});
    return true;
}

bool SimProcesses::TokenIntegrityLevel(HANDLE token, void* data, unsigned long size,
                                       unsigned long& needed, unsigned long& rid) {
    Lock lock(mutex_);
    const SimProcess* found = ProcessOfLocked(token, Kind::Token);
    if (!found)
        return false;
    needed = kLabelBytes;
    if (!data || size < kLabelBytes)
        return Fail(platform::kErrorInsufficientBuffer);
    rid = found->integrity;
    return true;
}

HMODULE SimProcesses::LoadedModule(const Char* name) {
    if (!name)
        return nullptr;
    Lock lock(mutex_);
    String key = Lower(name);
    auto found = modules_.find(key);
    if (found == modules_.end() || found->second.empty()) {
        Fail(platform::kErrorFileNotFound);
        return nullptr;
    }
    auto index = std::find(moduleHandles_.begin(), moduleHandles_.end(), key);
    if (index == moduleHandles_.end())
        index = moduleHandles_.insert(moduleHandles_.end(), key);
    return reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(index - moduleHandles_.begin()) +
                                     1);
}

void* SimProcesses::ProcAddress(HMODULE module, const char* name) {
    if (!name)
        return nullptr;
    Lock lock(mutex_);
    auto index = reinterpret_cast<std::uintptr_t>(module);
    if (index == 0 || index > moduleHandles_.size())
        return nullptr;
    auto found = modules_.find(moduleHandles_[index - 1]);
    if (found == modules_.end())
        return nullptr;
    auto function = found->second.find(name);
    return function == found->second.end() ? nullptr : function->second;
}

void SimProcesses::Add(const SimProcess& process) {
    Lock lock(mutex_);
    processes_[process.processId] = process;
}

void SimProcesses::Remove(unsigned long processId) {
    Lock lock(mutex_);
    processes_.erase(processId);
}

void SimProcesses::AddExport(StringView module, const char* name, void* function) {
    Lock lock(mutex_);
    modules_[Lower(module)][name] = function;
}

void SimProcesses::RemoveExport(StringView module, const char* name) {
    Lock lock(mutex_);
    auto found = modules_.find(Lower(module));
    if (found != modules_.end())
        found->second.erase(name);
}

void SimProcesses::RemoveModule(StringView module) {
    Lock lock(mutex_);
    modules_.erase(Lower(module));
}

int SimProcesses::OpenCount() const {
    Lock lock(mutex_);
    return openCount_;
}

size_t SimProcesses::OpenHandleCount() const {
    Lock lock(mutex_);
    return handles_.size();
}

} // namespace pw::sim
