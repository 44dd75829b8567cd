#pragma once

// The SendParameterInfo thread: applies the button swap and wheel scroll lines a profile
// wants. Changing them broadcasts to every window and can take long, so the hook thread
// only queues the wanted state; this thread waits for requests to settle for 100 ms and
// then applies the latest one, and only what differs from the system's state.

#include "platform/critical_section.h"
#include "platform/handles.h"
#include "support/message_thread.h"

#include <atomic>
#include <cstdint>

// One wanted state of the system's mouse parameters.
class CSPIThreadData {
  public:
    static constexpr uint32_t kLeaveSwap = 0xFFFFFFFF;

    CSPIThreadData() = default;
    CSPIThreadData(uint32_t swapButtons, uint32_t scrollLines, bool force)
        : m_nScrollLines(scrollLines), m_nSwapButtons(swapButtons), m_bForce(force) {}

    // Applies the state to the system, changing only what differs from it.
    bool Process();
    // Whether this state already gives what wanted asks for: the same values, and
    // written to the user profile if wanted forces that.
    bool Covers(const CSPIThreadData& wanted) const;

    uint32_t m_nScrollLines = 3; // 0xFFFFFFFF: one page per notch
    uint32_t m_nSwapButtons = 0; // 0 normal, 1 swapped, kLeaveSwap: as it is
    bool m_bForce = false;       // write the user profile as well as broadcasting
};

class CSPIThread : private pw::MessageThread::Handler {
  public:
    // Reads the system's state and starts the thread.
    CSPIThread();
    // Stops the thread if it still runs and drops a pending request.
    ~CSPIThread();
    CSPIThread(const CSPIThread&) = delete;
    CSPIThread& operator=(const CSPIThread&) = delete;

    // False when the thread was not running.
    bool StopThread();
    // Queues a wanted state; false when nothing needs to change or it is already queued.
    bool RequestChange(uint32_t swapButtons, uint32_t scrollLines, bool force);
    // Applies the pending request; runs on the thread.
    void ProcessQueue();
    // The state applied last (or found at start).
    CSPIThreadData Current();

  private:
    // The thread's work: requests restart the settle timer, which applies the last one.
    void OnStarting(unsigned long threadId) override;
    bool OnMessage(const pw::MessageThread::Message& message) override;
    void OnStopped() override;
    void OnStartRequest();
    void KillSettleTimer();
    static void SettleTimerProc(HWND window, unsigned message, uintptr_t id, unsigned long time);

    pw::platform::CriticalSection m_cs;
    pw::MessageThread m_thread;
    CSPIThreadData m_Current;
    CSPIThreadData* m_pPending = nullptr;
    uintptr_t m_uTimer = 0; // touched only by the thread
};

// Created and owned by the hook thread.
extern CSPIThread* g_pSPIThread;
// The thread's id, written by the thread itself; 0 while it does not run.
extern std::atomic<unsigned long> g_dwSPIThreadId;

namespace pw {

// Replaces g_pSPIThread by a new, started object whose first request puts back the state
// found at library load, saved to the user profile. Run by the hook thread at its start.
void RestartSPIThread();
// Stops and deletes g_pSPIThread, if there is one.
void DeleteSPIThread();

} // namespace pw
