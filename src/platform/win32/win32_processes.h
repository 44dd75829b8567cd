#pragma once

#include "platform/platform.h"

namespace pw::win32 {

class Win32Processes final : public platform::Processes {
  public:
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
};

} // namespace pw::win32
