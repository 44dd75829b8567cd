#include "windows/integrity.h"

#include "platform/platform.h"
#include "support/logger.h"
#include "windows/process_name.h"

unsigned long g_dwOurIntegrity = pw::windows::kUnknownIntegrity;

namespace pw::windows {

void ReadOwnIntegrity() {
    g_dwOurIntegrity = GetProcessIntegrityLevel(platform::GetProcesses().CurrentProcess());
}

unsigned long WindowIntegrity(HWND window) {
    unsigned long processId = 0;
    auto& processes = platform::GetProcesses();
    if (!platform::GetWindows().ThreadProcessId(window, &processId))
        return kUnknownIntegrity;
    HANDLE process = processes.OpenProcess(platform::kProcessQueryLimitedInformation, processId);
    if (!process)
        return kUnknownIntegrity;
    const unsigned long level = GetProcessIntegrityLevel(process);
    processes.CloseHandle(process);
    return level;
}

bool MayPostTo(unsigned long target) {
    return g_dwOurIntegrity >= platform::kIntegrityHigh || target <= g_dwOurIntegrity;
}

bool CanSendToProcess(unsigned long target) {
    CLogger::LogDebug(L"CanSendToProcess: Process integrity 0x%08X, our integrity 0x%08X",
                      static_cast<unsigned>(target), static_cast<unsigned>(g_dwOurIntegrity));
    return MayPostTo(target);
}

} // namespace pw::windows
