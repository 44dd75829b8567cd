#include "input/send_input.h"

#include "platform/platform.h"
#include "runtime/precise_sleep.h"
#include "runtime/registered_messages.h"
#include "support/exception_handler.h"
#include "support/logger.h"
#include "support/thread_lock.h"

#include <chrono>
#include <system_error>

using pw::input::SendInputMode;

std::atomic<bool> g_bFlushInput{false};
CSendInput* g_pSendInput = nullptr;

namespace {

constexpr unsigned kSpinCount = 4000;
// A burst of appends posts one wake-up each; this pause lets the burst play as one batch.
constexpr unsigned kBatchPauseMs = 5;
constexpr auto kStopTimeout = std::chrono::milliseconds(1000);

} // namespace

CSendInput::CSendInput(SendInputMode mode) : m_mode(mode) {
    if (!m_cs.Initialize(kSpinCount)) {
        CLogger::LogOSError(pw::platform::GetDiagnostics().LastError(),
                            L"Unable to initialise critical section in SendInput");
        return;
    }
    if (m_mode != SendInputMode::Threaded)
        return;
    m_cs.Enter();
    StartThreadLocked();
    m_cs.Leave();
}

CSendInput::~CSendInput() {
    StopThread();
    if (!m_cs.IsInitialized())
        return;
    m_cs.Enter();
    std::list<CInputQueue*> left;
    left.swap(m_Queue);
    m_cs.Leave();
    for (CInputQueue* entry : left) {
        SendReleasesOf(*entry);
        delete entry;
    }
}

size_t CSendInput::QueuedCount() {
    if (!m_cs.IsInitialized())
        return 0;
    m_cs.Enter();
    const size_t count = m_Queue.size();
    m_cs.Leave();
    return count;
}

void CSendInput::StartThreadLocked() {
    if (m_hThread.joinable()) {
        std::lock_guard exitLock(m_exitMutex);
        if (!m_bExited)
            return;
    }
    // A thread that left its loop on an error is replaced.
    if (m_hThread.joinable())
        m_hThread.join();
    {
        std::lock_guard exitLock(m_exitMutex);
        m_bExited = false;
    }
    m_bStopping = false;
    try {
        m_hThread = std::thread([this] { ThreadProc(); });
    } catch (const std::system_error& error) {
        std::lock_guard exitLock(m_exitMutex);
        m_bExited = true;
        CLogger::LogOSError(static_cast<unsigned long>(error.code().value()),
                            L"Unable to start SendInput thread.");
    }
}

void CSendInput::StopThread() {
    if (!m_hThread.joinable())
        return;
    m_bStopping = true;
    const unsigned long threadId = m_dwThreadId.exchange(0);
    if (threadId)
        pw::platform::GetMessages().PostThreadMessage(threadId, pw::platform::kWmQuit, 0, 0);
    {
        std::unique_lock exitLock(m_exitMutex);
        if (!m_exitSignal.wait_for(exitLock, kStopTimeout, [this] { return m_bExited; })) {
            CLogger::LogMessage(L"SendInput thread did not exit in a timely fashion!");
            // A thread that had not yet published its id never saw the quit message.
            const unsigned long late = m_dwThreadId.exchange(0);
            if (late)
                pw::platform::GetMessages().PostThreadMessage(late, pw::platform::kWmQuit, 0, 0);
        }
    }
    // The thread cannot be killed: it stops at its next entry, as pauses end at a stop.
    m_hThread.join();
}

void CSendInput::ThreadProc() {
    ExceptionHandlerInstaller crashHandler;
    pw::platform::Messages& messages = pw::platform::GetMessages();
    try {
        // The queue must exist before the id is published, or early wake-ups are lost.
        messages.CreateThreadQueue();
        m_dwThreadId = messages.CurrentThreadId();
        if (m_bStopping)
            m_dwThreadId = 0;
        ProcessQueue();
        const unsigned processInput = pw::runtime::Messages().processInput;
        pw::platform::Messages::ThreadMessage message;
        while (!m_bStopping) {
            const int got = messages.GetMessage(message);
            if (got < 0) {
                CLogger::LogOSError(pw::platform::GetDiagnostics().LastError(),
                                    L"HookThread: Error in SendInput thread message queue. "
                                    L"Terminating thread.");
                break;
            }
            if (got == 0)
                break;
            if (message.message != processInput)
                continue;
            pw::PreciseSleep(kBatchPauseMs);
            ProcessQueue();
        }
        CLogger::LogDebug(L"CSendInput: Exiting thread.");
    } catch (...) {
        CLogger::LogMessage(L"CSendInput: Caught exception in SendInputThread. Exiting thread.");
    }
    m_dwThreadId = 0;
    std::lock_guard exitLock(m_exitMutex);
    m_bExited = true;
    m_exitSignal.notify_all();
}

void CSendInput::Append(CInputQueue* entry, const Char* name) {
    if (!m_cs.IsInitialized()) {
        CLogger::LogMessage(L"%ls: The input queue is not available.", name);
        SendReleasesOf(*entry);
        delete entry;
        return;
    }
    {
        CThreadLock lock(m_cs, name);
        if (m_mode == SendInputMode::Threaded)
            StartThreadLocked();
        m_Queue.push_back(entry);
        const unsigned long threadId = m_dwThreadId.load();
        if (threadId)
            pw::platform::GetMessages().PostThreadMessage(
                threadId, pw::runtime::Messages().processInput, 0, 0);
    }
    if (m_mode == SendInputMode::Immediate)
        ProcessQueue();
}

void CSendInput::SendInputThreaded(unsigned count, const pw::platform::InputRecord* inputs,
                                   uint32_t delay, uint32_t time, bool flushable) {
    Append(new CInputQueue(count, inputs, delay, time, flushable), L"SendInput::SendInputThreaded");
}

bool CSendInput::SendInputDelay(unsigned ms, uint32_t time) {
    Append(new CInputQueue(0, nullptr, ms, time, false), L"SendInput::SendInputDelay");
    return true;
}

bool CSendInput::SendPositionThreaded(int value, int mode) {
    Append(CInputQueue::Cursor(value, mode), L"SendInput::SendPositionThreaded");
    return true;
}

bool CSendInput::FlushQueue() {
    if (!m_cs.IsInitialized())
        return false;
    CThreadLock lock(m_cs, L"SendInput::FlushQueue");
    // Only a batch being played is cut short; one that starts later plays in full.
    if (m_bPlaying)
        g_bFlushInput = true;
    bool flushed = false;
    for (CInputQueue* entry : m_Queue) {
        if (!entry->m_bFlushable)
            continue;
        entry->m_nCount = 0;
        entry->m_nDelay = 0;
        flushed = true;
    }
    return flushed;
}
