#include "input/spi_thread.h"

#include "input/system_mouse_defaults.h"
#include "platform/platform.h"
#include "runtime/registered_messages.h"
#include "support/exception_handler.h"
#include "support/logger.h"
#include "support/thread_lock.h"

CSPIThread* g_pSPIThread = nullptr;
std::atomic<unsigned long> g_dwSPIThreadId{0};

namespace {

using pw::MessageThread;
using pw::platform::ScopedCriticalSection;
using pw::platform::SystemParameters;

constexpr unsigned kSpinCount = 4000;
constexpr uintptr_t kSettleTimerId = 4351;
constexpr unsigned kSettleMs = 100;
constexpr unsigned kFallbackLines = 3;

constexpr MessageThread::Options kThreadOptions{
    .name = "VESK SendParameterInfo Thread",
    .priority = pw::platform::Threads::kPriorityNormal,
    .queueError = L"HookThread: Error in SendParameterInfo thread message queue. Terminating "
                  L"thread.",
    .queueErrorIsDebug = true,
    .exitText = L"SendParameterInfo: Exiting thread.",
    .exceptionText = L"SendParameterInfo: Caught exception in SendInputThread. Exiting thread.",
    .lateText = L"SendParameterInfo thread did not exit in a timely fashion!",
};

int Shown(uint32_t value) {
    return static_cast<int>(value);
}

} // namespace

bool CSPIThreadData::Covers(const CSPIThreadData& wanted) const {
    return m_nSwapButtons == wanted.m_nSwapButtons && m_nScrollLines == wanted.m_nScrollLines &&
           (m_bForce || !wanted.m_bForce);
}

bool CSPIThreadData::Process() {
    try {
        SystemParameters& system = pw::platform::GetSystemParameters();
        const unsigned flags =
            m_bForce ? SystemParameters::kUpdateIniFile | SystemParameters::kSendChange
                     : SystemParameters::kSendChange;

        const uint32_t swapped = system.ButtonsSwapped() ? 1 : 0;
        if (m_nSwapButtons != kLeaveSwap && m_nSwapButtons != swapped) {
            CLogger::LogDebug(L"CSPIThreadData: System Set Parameter Info: Swap Buttons %d",
                              Shown(m_nSwapButtons));
            const uint32_t start = pw::platform::TickCount();
            system.SetButtonSwap(m_nSwapButtons != 0, flags);
            CLogger::LogDebug(L"CSPIThreadData: Result of Set Swap Buttons to %d (in %dms)",
                              Shown(m_nSwapButtons), Shown(pw::platform::TickCount() - start));
        } else {
            CLogger::LogDebug(L"CSPIThreadData: No need to swap buttons");
        }

        unsigned lines = 0;
        if (!system.WheelScrollLines(lines))
            lines = 0;
        if (m_nScrollLines != lines) {
            CLogger::LogDebug(L"CSPIThreadData: System Set Parameter Info: Scroll Lines %d",
                              Shown(m_nScrollLines));
            const uint32_t start = pw::platform::TickCount();
            const bool result = system.SetWheelScrollLines(m_nScrollLines, flags);
            CLogger::LogDebug(L"CSPIThreadData: Result of Set Wheel Scrolling %d = %d (int %dms)",
                              Shown(m_nScrollLines), result ? 1 : 0,
                              Shown(pw::platform::TickCount() - start));
        } else {
            CLogger::LogDebug(L"CSPIThreadData: No need to change scroll lines");
        }
        return true;
    } catch (...) {
        pw::handle_exception(L"CSPIThreadData::Process");
    }
}

CSPIThread::CSPIThread() : m_thread(kThreadOptions) {
    if (!m_cs.Initialize(kSpinCount)) {
        CLogger::LogOSError(pw::platform::GetDiagnostics().LastError(),
                            L"Unable to initialise critical section in SendParameterInfo");
    }
    g_dwSPIThreadId = 0;

    SystemParameters& system = pw::platform::GetSystemParameters();
    unsigned lines = 0;
    if (!system.WheelScrollLines(lines) || lines == 0)
        lines = kFallbackLines;
    m_Current = CSPIThreadData(system.ButtonsSwapped() ? 1 : 0, lines, false);

    // Requests made right after construction find the thread's queue in place.
    uint32_t error = 0;
    if (!m_thread.Start(*this, error))
        CLogger::LogOSError(error, L"Unable to start SendParameterInfo thread.");
}

CSPIThread::~CSPIThread() {
    StopThread();
    // A thread that ended by itself, or one whose id was taken over, is stopped here.
    m_thread.Stop();
    delete m_pPending;
    m_pPending = nullptr;
}

bool CSPIThread::StopThread() {
    if (g_dwSPIThreadId.exchange(0) == 0)
        return false;
    // A late thread is waited for all the same: it is still inside a system call that
    // returns, and it leaves at the quit message waiting for it. While the library is
    // unloaded it is terminated instead.
    m_thread.Stop();
    return true;
}

bool CSPIThread::RequestChange(uint32_t swapButtons, uint32_t scrollLines, bool force) {
    if (!m_cs.IsInitialized())
        return false;
    const CSPIThreadData wanted(swapButtons, scrollLines, force);
    ScopedCriticalSection hold(m_cs);
    if (m_Current.Covers(wanted)) {
        if (!m_pPending) {
            CLogger::LogDebug(L"SPI is already (%d, %d) - no need for further change",
                              Shown(scrollLines), Shown(swapButtons));
        } else {
            delete m_pPending;
            m_pPending = nullptr;
            CLogger::LogDebug(L"SPI is already (%d, %d) - aborting existing change",
                              Shown(scrollLines), Shown(swapButtons));
        }
        return false;
    }
    if (m_pPending && m_pPending->Covers(wanted)) {
        CLogger::LogDebug(L"SPI Change (%d, %d) already queued", Shown(scrollLines),
                          Shown(swapButtons));
        return false;
    }
    CLogger::LogDebug(L"SPI Changed (%d, %d), Starting Send SPI process", Shown(scrollLines),
                      Shown(swapButtons));
    delete m_pPending;
    m_pPending = new CSPIThreadData(wanted);
    const unsigned long threadId = g_dwSPIThreadId.load();
    if (threadId)
        pw::platform::GetMessages().PostThreadMessage(threadId, pw::runtime::Messages().startSpi, 0,
                                                      0);
    return true;
}

void CSPIThread::ProcessQueue() {
    if (!m_cs.IsInitialized())
        return;
    try {
        bool pending = false;
        CSPIThreadData apply;
        {
            ScopedCriticalSection hold(m_cs);
            if (m_pPending) {
                m_Current = *m_pPending;
                delete m_pPending;
                m_pPending = nullptr;
                apply = m_Current;
                pending = true;
            }
        }
        // The slow system calls run outside the lock.
        if (pending)
            apply.Process();
    } catch (...) {
        CLogger::LogMessage(L"Unexpected exception in CSPIThread::ProcessQueue()");
    }
}

CSPIThreadData CSPIThread::Current() {
    if (!m_cs.IsInitialized())
        return m_Current;
    ScopedCriticalSection hold(m_cs);
    return m_Current;
}

void CSPIThread::SettleTimerProc(HWND, unsigned, uintptr_t, unsigned long) {
    const unsigned long threadId = g_dwSPIThreadId.load();
    if (threadId)
        pw::platform::GetMessages().PostThreadMessage(threadId, pw::runtime::Messages().processSpi,
                                                      0, 0);
}

void CSPIThread::OnStartRequest() {
    KillSettleTimer();
    // Every request restarts the wait, so only the last of a burst is applied.
    m_uTimer = pw::platform::GetTimers().SetTimer(kSettleTimerId, kSettleMs, SettleTimerProc);
}

void CSPIThread::KillSettleTimer() {
    if (m_uTimer == 0)
        return;
    pw::platform::GetTimers().KillTimer(m_uTimer);
    m_uTimer = 0;
}

void CSPIThread::OnStarting(unsigned long threadId) {
    g_dwSPIThreadId = threadId;
    ProcessQueue();
}

bool CSPIThread::OnMessage(const MessageThread::Message& message) {
    const pw::runtime::RegisteredMessages& ids = pw::runtime::Messages();
    if (message.message == ids.startSpi) {
        OnStartRequest();
    } else if (message.message == ids.processSpi) {
        KillSettleTimer();
        ProcessQueue();
    } else if (message.message == pw::platform::kWmTimer) {
        // Runs the settle timer's procedure.
        pw::platform::GetMessages().DispatchThreadMessage(message);
    }
    return true;
}

void CSPIThread::OnStopped() {
    KillSettleTimer();
    g_dwSPIThreadId = 0;
}

void pw::DeleteSPIThread() {
    CSPIThread* old = nullptr;
    {
        // Profile changes read the pointer under the global lock.
        CThreadLock lock(L"DeleteSPIThread");
        old = g_pSPIThread;
        g_pSPIThread = nullptr;
    }
    if (!old)
        return;
    // Stopping waits for the thread, so it happens outside the global lock.
    old->StopThread();
    delete old;
}

void pw::RestartSPIThread() {
    pw::DeleteSPIThread();
    auto* spi = new CSPIThread();
    bool swapped = false;
    unsigned lines = 0;
    {
        CThreadLock lock(L"RestartSPIThread");
        g_pSPIThread = spi;
        swapped = g_SystemMouseDefaults.buttonsSwapped;
        lines = g_SystemMouseDefaults.pageScroll ? SystemParameters::kWheelPageScroll
                                                 : g_SystemMouseDefaults.scrollLines;
    }
    spi->RequestChange(swapped ? 1 : 0, lines, true);
}
