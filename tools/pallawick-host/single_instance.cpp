#include "single_instance.h"

namespace pw::host {

namespace {

constexpr const wchar_t* kMutexName = L"Local\\PallawickHost.Running";
constexpr const wchar_t* kStopEventName = L"Local\\PallawickHost.Stop";

bool Acquired(DWORD wait) {
    return wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
}

} // namespace

InstanceLock::~InstanceLock() {
    Release();
    if (m_mutex)
        CloseHandle(m_mutex);
    if (m_stopEvent)
        CloseHandle(m_stopEvent);
}

Claim InstanceLock::TryClaim(unsigned long& error) {
    m_mutex = CreateMutexW(nullptr, FALSE, kMutexName);
    if (!m_mutex) {
        error = GetLastError();
        return Claim::Failed;
    }
    // Held by another host; a host that ended without letting go leaves it abandoned,
    // which counts as free.
    if (!Acquired(WaitForSingleObject(m_mutex, 0)))
        return Claim::AlreadyRunning;
    m_owned = true;
    m_stopEvent = CreateEventW(nullptr, TRUE, FALSE, kStopEventName);
    if (!m_stopEvent) {
        error = GetLastError();
        Release();
        return Claim::Failed;
    }
    // A request made while no host ran is not meant for this one.
    ResetEvent(m_stopEvent);
    return Claim::Claimed;
}

void InstanceLock::Release() {
    if (!m_owned)
        return;
    ReleaseMutex(m_mutex);
    m_owned = false;
}

StopResult RequestStop(DWORD timeoutMs) {
    HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, kMutexName);
    if (!mutex)
        return StopResult::NoneRunning;
    if (Acquired(WaitForSingleObject(mutex, 0))) {
        ReleaseMutex(mutex);
        CloseHandle(mutex);
        return StopResult::NoneRunning;
    }
    HANDLE stopEvent = OpenEventW(EVENT_MODIFY_STATE, FALSE, kStopEventName);
    if (stopEvent) {
        SetEvent(stopEvent);
        CloseHandle(stopEvent);
    }
    const bool stopped = stopEvent && Acquired(WaitForSingleObject(mutex, timeoutMs));
    if (stopped)
        ReleaseMutex(mutex);
    CloseHandle(mutex);
    return stopped ? StopResult::Stopped : StopResult::TimedOut;
}

} // namespace pw::host
