#include "input/spi_thread.h"

#include "input/system_mouse_defaults.h"
#include "platform/platform.h"
#include "runtime/registered_messages.h"
#include "support/exception_handler.h"
#include "support/logger.h"
#include "support/thread_lock.h"

#include <chrono>
#include <system_error>

CSPIThread* g_pSPIThread = nullptr;
std::atomic<unsigned long> g_dwSPIThreadId{0};

namespace {

using pw::platform::SystemParameters;

constexpr unsigned kSpinCount = 4000;
constexpr uintptr_t kSettleTimerId = 4351;
constexpr unsigned kSettleMs = 100;
constexpr unsigned kFallbackLines = 3;
constexpr auto kStartTimeout = std::chrono::milliseconds(1000);
constexpr auto kStopTimeout = std::chrono::milliseconds(1000);

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

CSPIThread::CSPIThread() {
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

    {
        std::lock_guard state(m_stateMutex);
        m_bStarted = false;
        m_bExited = false;
    }
    try {
        m_hThread = std::thread([this] { ThreadProc(); });
    } catch (const std::system_error& error) {
        MarkExited();
        CLogger::LogOSError(static_cast<unsigned long>(error.code().value()),
                            L"Unable to start SendParameterInfo thread.");
        return;
    }
    // Requests made right after construction must find the thread's queue in place.
    std::unique_lock state(m_stateMutex);
    m_stateSignal.wait_for(state, kStartTimeout, [this] { return m_bStarted || m_bExited; });
}

CSPIThread::~CSPIThread() {
    StopThread();
    if (m_hThread.joinable())
        m_hThread.join();
    delete m_pPending;
    m_pPending = nullptr;
}

bool CSPIThread::StopThread() {
    const unsigned long threadId = g_dwSPIThreadId.exchange(0);
    if (threadId == 0)
        return false;
    pw::platform::GetMessages().PostThreadMessage(threadId, pw::platform::kWmQuit, 0, 0);
    {
        std::unique_lock state(m_stateMutex);
        if (!m_stateSignal.wait_for(state, kStopTimeout, [this] { return m_bExited; })) {
            CLogger::LogMessage(L"SendParameterInfo thread did not exit in a timely fashion!");
        }
    }
    // A thread cannot be killed safely from portable code; a late one is still inside
    // a system call that returns, and it leaves at the quit message waiting for it.
    if (m_hThread.joinable())
        m_hThread.join();
    return true;
}

bool CSPIThread::RequestChange(uint32_t swapButtons, uint32_t scrollLines, bool force) {
    if (!m_cs.IsInitialized())
        return false;
    const CSPIThreadData wanted(swapButtons, scrollLines, force);
    m_cs.Enter();
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
        m_cs.Leave();
        return false;
    }
    if (m_pPending && m_pPending->Covers(wanted)) {
        CLogger::LogDebug(L"SPI Change (%d, %d) already queued", Shown(scrollLines),
                          Shown(swapButtons));
        m_cs.Leave();
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
    m_cs.Leave();
    return true;
}

void CSPIThread::ProcessQueue() {
    if (!m_cs.IsInitialized())
        return;
    try {
        bool pending = false;
        CSPIThreadData apply;
        m_cs.Enter();
        if (m_pPending) {
            m_Current = *m_pPending;
            delete m_pPending;
            m_pPending = nullptr;
            apply = m_Current;
            pending = true;
        }
        m_cs.Leave();
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
    m_cs.Enter();
    const CSPIThreadData current = m_Current;
    m_cs.Leave();
    return current;
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

void CSPIThread::MarkExited() {
    std::lock_guard state(m_stateMutex);
    m_bExited = true;
    m_stateSignal.notify_all();
}

void CSPIThread::ThreadProc() {
    ExceptionHandlerInstaller crashHandler;
    pw::platform::Messages& messages = pw::platform::GetMessages();
    try {
        // The queue must exist before the id is published, or early requests are lost.
        messages.CreateThreadQueue();
        g_dwSPIThreadId = messages.CurrentThreadId();
        ProcessQueue();
        {
            std::lock_guard state(m_stateMutex);
            m_bStarted = true;
            m_stateSignal.notify_all();
        }

        const pw::runtime::RegisteredMessages& ids = pw::runtime::Messages();
        pw::platform::Messages::ThreadMessage message;
        for (;;) {
            const int got = messages.GetMessage(message);
            if (got < 0) {
                CLogger::LogOSError(pw::platform::GetDiagnostics().LastError(),
                                    L"HookThread: Error in SendParameterInfo thread message "
                                    L"queue. Terminating thread.");
                break;
            }
            if (got == 0)
                break;
            if (message.message == ids.startSpi) {
                OnStartRequest();
            } else if (message.message == ids.processSpi) {
                KillSettleTimer();
                ProcessQueue();
            } else if (message.message == pw::platform::kWmTimer) {
                // Runs the settle timer's procedure.
                messages.DispatchThreadMessage(message);
            }
        }
        KillSettleTimer();
        CLogger::LogDebug(L"SendParameterInfo: Exiting thread.");
    } catch (...) {
        KillSettleTimer();
        CLogger::LogMessage(
            L"SendParameterInfo: Caught exception in SendInputThread. Exiting thread.");
    }
    g_dwSPIThreadId = 0;
    MarkExited();
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
