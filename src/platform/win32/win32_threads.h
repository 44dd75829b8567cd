#pragma once

#include "platform/platform.h"

namespace pw::win32 {

// Thread priorities, names and forced ends, and the process's priority class and exit.
class Win32Threads final : public platform::Threads {
  public:
    bool SetCurrentThreadPriority(int priority) override;
    bool SetProcessPriorityClass(unsigned long priorityClass) override;
    void NameThread(unsigned long threadId, const char* name) override;
    bool TerminateThread(std::thread& thread, unsigned long exitCode) override;
    void ExitProcess(unsigned exitCode) override;
};

} // namespace pw::win32
