#pragma once

#include "platform/platform.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace pw::sim {

class SimDiagnostics;

// What a test says about a process of the session.
struct SimProcess {
    unsigned long processId = 0;
    String imagePath; // drive path, for example L"C:\\Windows\\explorer.exe"
    // The name the process snapshot lists; empty means the file name of imagePath.
    String snapshotName;
    unsigned long integrity = platform::kIntegrityMedium;
    bool accessDenied = false; // OpenProcess fails, as for a protected process
    bool tokenDenied = false;  // OpenProcessToken fails
    bool imageNameFails = false;
    bool moduleNameFails = false;
    bool enumModulesFails = false;
};

// The session's processes and the exports of the modules loaded into the library's own
// process. Failing calls set the thread's last error through the diagnostics.
class SimProcesses final : public platform::Processes {
  public:
    explicit SimProcesses(SimDiagnostics& diagnostics);

    // The pseudo-handle of the library's own process (Pallawick.exe, medium integrity
    // unless a test says otherwise).
    HANDLE CurrentProcess() override;
    HANDLE OpenProcess(unsigned long access, unsigned long processId) override;
    bool CloseHandle(HANDLE handle) override;
    unsigned long ImageFileName(HANDLE process, Char* buffer, unsigned long capacity) override;
    unsigned long ModuleFileName(HANDLE process, HMODULE module, Char* buffer,
                                 unsigned long capacity) override;
    bool EnumModules(HANDLE process, HMODULE* modules, unsigned long bytes,
                     unsigned long& needed) override;
    bool FullImageName(HANDLE process, Char* buffer, unsigned long& size) override;
    HANDLE CreateProcessSnapshot() override;
    bool FirstProcess(HANDLE snapshot, platform::ProcessEntry& entry) override;
    bool NextProcess(HANDLE snapshot, platform::ProcessEntry& entry) override;
    bool OpenProcessToken(HANDLE process, unsigned long access, HANDLE& token) override;
    bool TokenIntegrityLevel(HANDLE token, void* data, unsigned long size, unsigned long& needed,
                             unsigned long& rid) override;
    HMODULE LoadedModule(const Char* name) override;
    void* ProcAddress(HMODULE module, const char* name) override;

    // Adds or replaces the process with that id.
    void Add(const SimProcess& process);
    void Remove(unsigned long processId);
    // The integrity level of the library's own process, as its token reports it.
    void SetOwnIntegrity(unsigned long integrity);
    bool snapshotFails = false;

    // Exports of loaded modules. A module with no exports left counts as not loaded.
    void AddExport(StringView module, const char* name, void* function);
    void RemoveExport(StringView module, const char* name);
    void RemoveModule(StringView module);

    // Successful OpenProcess calls so far, and handles not yet closed.
    int OpenCount() const;
    size_t OpenHandleCount() const;

  private:
    enum class Kind { Process, Token, Snapshot };
    struct Handle {
        Kind kind = Kind::Process;
        unsigned long processId = 0;
        std::vector<platform::ProcessEntry> entries; // a snapshot's list
        size_t next = 0;
    };

    HANDLE NewHandleLocked(Handle handle);
    const SimProcess* ProcessOfLocked(HANDLE handle, Kind kind);
    bool Fail(unsigned long error);
    static String Lower(StringView text);

    SimDiagnostics& diagnostics_;
    mutable std::mutex mutex_;
    std::map<unsigned long, SimProcess> processes_;
    SimProcess own_;
    std::map<std::uintptr_t, Handle> handles_;
    std::uintptr_t nextHandle_ = 0x2000;
    int openCount_ = 0;
    std::map<String, std::map<std::string, void*>> modules_; // lower-case module name
    std::vector<String> moduleHandles_; // a module's handle is its index here plus one
};

} // namespace pw::sim
