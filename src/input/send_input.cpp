#include "input/send_input.h"

#include "platform/platform.h"
#include "runtime/precise_sleep.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "support/logger.h"
#include "support/thread_lock.h"

#include <algorithm>

using pw::input::SendInputMode;
using pw::platform::InputRecord;
using pw::platform::InputType;

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

bool CSendInput::Idle() {
    if (!m_cs.IsInitialized())
        return true;
    ScopedCriticalSection hold(m_cs);
    return m_Queue.empty() && !m_bPlaying;
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
    // at a stop. While the library is unloaded it is terminated instead.
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

namespace {

int MouseRecordsOf(const CInputQueue& entry) {
    if (entry.m_nCursorMode != 0 || !entry.m_pInputs)
        return 0;
    int count = 0;
    for (uint32_t i = 0; i < entry.m_nCount; ++i)
        if (entry.m_pInputs[i].type == pw::platform::InputType::Mouse)
            ++count;
    return count;
}

} // namespace

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
        // Its mouse records were counted as on their way back; they will not come now.
        g_nInjectCount = std::max(0, g_nInjectCount - MouseRecordsOf(*entry));
        entry->m_nCount = 0;
        entry->m_nDelay = 0;
        flushed = true;
    }
    return flushed;
}

namespace {

// Pauses of a threaded sender are cut into slices so that a stop ends a long wait.
constexpr uint32_t kPauseSliceMs = 1000;

bool IsRelease(const InputRecord& record) {
    if (record.type == InputType::Keyboard)
        return (record.key.flags & pw::platform::kKeyEventKeyUp) != 0;
    constexpr uint32_t kUps = pw::platform::kMouseEventLeftUp | pw::platform::kMouseEventRightUp |
                              pw::platform::kMouseEventMiddleUp | pw::platform::kMouseEventXUp;
    return (record.mouse.flags & kUps) != 0;
}

void MoveCursor(int32_t value, int32_t mode) {
    pw::platform::Windows& windows = pw::platform::GetWindows();
    POINT pt{};
    windows.CursorPos(pt);
    CLogger::LogDebug(L"CSendInput::ProcessQueue: Moving cursor %d, %d", value, mode);
    switch (mode) {
    case pw::input::kCursorSetX:
        pt.x = value;
        break;
    case pw::input::kCursorSetY:
        pt.y = value;
        break;
    case pw::input::kCursorAddX:
        pt.x += value;
        break;
    case pw::input::kCursorAddY:
        pt.y += value;
        break;
    default:
        return;
    }
    windows.SetCursorPos(pt);
}

void Inject(const CInputQueue& entry) {
    pw::platform::Diagnostics& diagnostics = pw::platform::GetDiagnostics();
    diagnostics.SetLastError(0);
    const unsigned sent = pw::platform::GetInput().SendInput(entry.m_pInputs, entry.m_nCount);
    if (sent >= entry.m_nCount)
        return;
    const uint32_t error = diagnostics.LastError();
    if (error != 0)
        CLogger::LogOSMessage(error,
                              L"CSendInput::ProcessQueue: Failed to send keys. Tried to send %d "
                              L"keystrokes, sent %d keystrokes",
                              entry.m_nCount, sent);
    else
        CLogger::LogMessage(L"CSendInput::ProcessQueue: Failed to send keys due to UIPI "
                            L"protection. Tried to send %d keystrokes, sent %d keystrokes",
                            entry.m_nCount, sent);
}

} // namespace

void CSendInput::ProcessQueue() {
    if (!m_cs.IsInitialized())
        return;
    std::list<CInputQueue*> batch;
    {
        pw::platform::ScopedCriticalSection hold(m_cs);
        try {
            if (m_Queue.empty())
                g_bFlushInput = false;
            else
                batch.splice(batch.end(), m_Queue);
            m_bPlaying = !batch.empty();
        } catch (...) {
            CLogger::LogMessage(L"Unexpected exception in CSendInput::ProcessQueue()");
        }
    }

    auto entry = batch.begin();
    for (; entry != batch.end(); ++entry) {
        if (m_bStopping)
            break;
        Play(**entry);
        delete *entry;
        *entry = nullptr;
        if (g_bFlushInput) {
            ++entry;
            break;
        }
    }
    // Entries cut off by a flush or a stop are dropped, all but their releases, so that
    // no key or button stays down.
    for (; entry != batch.end(); ++entry) {
        SendReleasesOf(**entry);
        delete *entry;
    }
    pw::platform::ScopedCriticalSection hold(m_cs);
    m_bPlaying = false;
    g_bFlushInput = false;
}

void CSendInput::Play(CInputQueue& entry) {
    if (entry.m_nCount != 0) {
        if (entry.m_nCursorMode != 0)
            MoveCursor(entry.m_nCursorValue, entry.m_nCursorMode);
        else if (entry.m_pInputs)
            Inject(entry);
    }
    if (entry.m_nDelay != 0)
        Pause(entry.m_nDelay);
}

void CSendInput::Pause(uint32_t ms) {
    if (m_mode != pw::input::SendInputMode::Threaded) {
        pw::PreciseSleep(ms);
        return;
    }
    while (ms > 0 && !m_bStopping) {
        const uint32_t slice = ms < kPauseSliceMs ? ms : kPauseSliceMs;
        pw::PreciseSleep(slice);
        ms -= slice;
    }
}

void CSendInput::SendReleasesOf(const CInputQueue& entry) {
    if (entry.m_nCursorMode != 0 || !entry.m_pInputs)
        return;
    for (uint32_t i = 0; i < entry.m_nCount; ++i) {
        if (IsRelease(entry.m_pInputs[i]))
            pw::platform::GetInput().SendInput(&entry.m_pInputs[i], 1);
    }
}

CInputQueue::CInputQueue(unsigned count, const pw::platform::InputRecord* inputs, uint32_t delay,
                         uint32_t time, bool flushable)
    : m_nDelay(delay), m_nTime(time), m_bFlushable(flushable) {
    if (count == 0 || !inputs)
        return;
    m_pInputs = new pw::platform::InputRecord[count];
    std::copy(inputs, inputs + count, m_pInputs);
    m_nCount = count;
}

CInputQueue* CInputQueue::Cursor(int32_t value, int32_t mode) {
    auto* entry = new CInputQueue(0, nullptr, 0, 0, true);
    entry->m_nCount = 1;
    entry->m_nCursorMode = mode;
    entry->m_nCursorValue = value;
    return entry;
}

CInputQueue::~CInputQueue() {
    delete[] m_pInputs;
}
