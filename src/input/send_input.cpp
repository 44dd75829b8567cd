#include "input/send_input.h"

#include "platform/platform.h"
#include "runtime/precise_sleep.h"
#include "runtime/registered_messages.h"
#include "support/exception_handler.h"
#include "support/logger.h"
#include "support/thread_lock.h"

using pw::input::SendInputMode;

std::atomic<bool> g_bFlushInput{false};
CSendInput* g_pSendInput = nullptr;

namespace {

using pw::MessageThread;
using pw::platform::ScopedCriticalSection;

constexpr unsigned kSpinCount = 4000;
// A burst of appends posts one wake-up each; this pause lets the burst play as one batch.
constexpr unsigned kBatchPauseMs = 5;

constexpr MessageThread::Options kThreadOptions{
    .name = "VESK Send Input Thread",
    .queueError = L"HookThread: Error in SendInput thread message queue. Terminating thread.",
    .queueErrorIsDebug = true,
    .exitText = L"CSendInput: Exiting thread.",
    .exceptionText = L"CSendInput: Caught exception in SendInputThread. Exiting thread.",
    .lateText = L"SendInput thread did not exit in a timely fashion!",
};

} // namespace

CSendInput::CSendInput(SendInputMode mode) : m_mode(mode), m_thread(kThreadOptions) {
    if (!m_cs.Initialize(kSpinCount)) {
        CLogger::LogOSError(pw::platform::GetDiagnostics().LastError(),
                            L"Unable to initialise critical section in SendInput");
        return;
    }
    if (m_mode != SendInputMode::Threaded)
        return;
    ScopedCriticalSection hold(m_cs);
    StartThreadLocked();
}

CSendInput::~CSendInput() {
    StopThread();
    if (!m_cs.IsInitialized())
        return;
    std::list<CInputQueue*> left;
    {
        ScopedCriticalSection hold(m_cs);
        left.swap(m_Queue);
    }
    for (CInputQueue* entry : left) {
        SendReleasesOf(*entry);
        delete entry;
    }
}

size_t CSendInput::QueuedCount() {
    if (!m_cs.IsInitialized())
        return 0;
    ScopedCriticalSection hold(m_cs);
    return m_Queue.size();
}

void CSendInput::StartThreadLocked() {
    if (m_thread.Running())
        return;
    // A thread that left its loop on an error is replaced.
    m_thread.Join();
    m_bStopping = false;
    uint32_t error = 0;
    if (!m_thread.Start(*this, error))
        CLogger::LogOSError(error, L"Unable to start SendInput thread.");
}

void CSendInput::StopThread() {
    if (!m_thread.Exists())
        return;
    m_bStopping = true;
    // A late thread is waited for all the same: it stops at its next entry, as pauses end
    // at a stop.
    m_thread.Stop();
}

void CSendInput::OnStarted() {
    ProcessQueue();
}

bool CSendInput::OnMessage(const MessageThread::Message& message) {
    if (message.message == pw::runtime::Messages().processInput) {
        pw::PreciseSleep(kBatchPauseMs);
        ProcessQueue();
    }
    return !m_bStopping;
}

void CSendInput::Append(CInputQueue* entry, const Char* name) {
    if (!m_cs.IsInitialized()) {
        CLogger::LogMessage(L"%ls: The input queue is not available.", name);
        SendReleasesOf(*entry);
        delete entry;
        return;
    }
    {
        CThreadLock lock(m_cs.Native(), name);
        if (m_mode == SendInputMode::Threaded)
            StartThreadLocked();
        m_Queue.push_back(entry);
        const unsigned long threadId = m_thread.ThreadId();
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
    CThreadLock lock(m_cs.Native(), L"SendInput::FlushQueue");
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
