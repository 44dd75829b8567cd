#pragma once

// One host per session. The running host holds a named mutex and waits on a named
// event; pallawick-host --stop and the host's own console control handler ask it to
// stop by setting the event, and learn that it has stopped when the mutex is free.

#include <windows.h>

namespace pw::host {

enum class Claim { Claimed, AlreadyRunning, Failed };

// The running host's hold on the session's name.
class InstanceLock {
  public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes the name, or tells that another host holds it; on Failed, error holds the
    // system's code.
    Claim TryClaim(unsigned long& error);
    // Set when the host is asked to stop.
    HANDLE StopEvent() const { return m_stopEvent; }
    // Lets go of the name once the hooks are removed: whoever waits for the stop returns.
    void Release();

  private:
    HANDLE m_mutex = nullptr;
    HANDLE m_stopEvent = nullptr;
    bool m_owned = false;
};

enum class StopResult { Stopped, NoneRunning, TimedOut };

// Asks the running host to stop and waits at most timeoutMs for it.
StopResult RequestStop(DWORD timeoutMs);

} // namespace pw::host
