#include "support/thread_lock.h"

#include "platform/platform.h"
#include "support/bounded_copy.h"
#include "support/logger.h"

#include <cstdio>
#include <cstdlib>

#if !defined(_WIN32)
// The global lock is the platform's own critical section object. On Windows that is the
// system's type, complete only beside the system's headers: DllMain's file defines it.
pw::platform::SystemCriticalSection CThreadLock::g_GlobalCS{};
#endif
std::atomic<int> CThreadLock::m_snEntryCount{0};
std::atomic<unsigned long> CThreadLock::m_sdwOwner{0};
Char CThreadLock::m_stcName[kNameLength] = {};
uint32_t CThreadLock::m_sdwTimer = 0;

namespace {

constexpr const Char* kReleasedName = L"unknown";

using pw::platform::EnterSection;
using pw::platform::LeaveSection;
using pw::platform::TryEnterSection;

// Whether g_GlobalCS has been created; the system's object cannot tell.
std::atomic<bool> g_globalReady{false};

// Names are printed with %ls, which must never see a null pointer.
const Char* Printable(const Char* name) {
    return name ? name : L"";
}

int Elapsed(uint32_t since) {
    return static_cast<int>(pw::platform::TickCount() - since);
}

} // namespace

CThreadLock::CThreadLock(const Char* name) : m_pCS(&g_GlobalCS) {
    Acquire(name);
}

CThreadLock::CThreadLock(pw::platform::SystemCriticalSection& criticalSection, const Char* name)
    : m_pCS(&criticalSection) {
    Acquire(name);
}

void CThreadLock::Acquire(const Char* name) {
    m_dwRequested = pw::platform::TickCount();
    if (!TryEnterSection(*m_pCS)) {
        CLogger::LogDebug(L"Unable to enter critical section for lock '%ls' (TID: %08X) because "
                          L"it is already locked by '%ls' - Waiting...",
                          Printable(name), static_cast<unsigned>(pw::platform::CurrentThreadId()),
                          m_stcName);
        EnterSection(*m_pCS);
        const int waited = Elapsed(m_dwRequested);
        if (waited <= static_cast<int>(kSlowMs))
            CLogger::LogDebug(L"Obtained lock for '%ls' after %dms.", Printable(name), waited);
        else
            CLogger::LogMessage(L"It took a long time to obtain the lock for '%ls' (%dms).",
                                Printable(name), waited);
    }
    if (IsGlobal())
        RecordEntry(name);
    else
        pw::CopyString(m_tcName, kNameLength, name);
}

CThreadLock::~CThreadLock() {
    if (!m_pCS)
        return;
    const int held = Elapsed(m_dwRequested);
    const bool global = IsGlobal();
    if (held > static_cast<int>(kSlowMs))
        CLogger::LogMessage(L"The lock for '%ls' took %dms to release!",
                            global ? m_stcName : m_tcName, held);
    if (global)
        RecordRelease();
    else
        pw::CopyString(m_tcName, kNameLength, kReleasedName);
    LeaveSection(*m_pCS);
    m_pCS = nullptr;
}

void CThreadLock::RecordEntry(const Char* name) {
    const int count = m_snEntryCount.load(std::memory_order_relaxed) + 1;
    m_snEntryCount.store(count, std::memory_order_relaxed);
    if (count != 1)
        return;
    m_sdwOwner.store(pw::platform::CurrentThreadId(), std::memory_order_relaxed);
    pw::CopyString(m_stcName, kNameLength, name);
}

void CThreadLock::RecordRelease() {
    const int count = m_snEntryCount.load(std::memory_order_relaxed) - 1;
    m_snEntryCount.store(count, std::memory_order_relaxed);
    if (count > 0)
        return;
    m_sdwOwner.store(0, std::memory_order_relaxed);
    pw::CopyString(m_stcName, kNameLength, kReleasedName);
}

bool CThreadLock::EnterCS(const Char* name) {
    EnterSection(g_GlobalCS);
    RecordEntry(name);
    m_sdwTimer = pw::platform::TickCount();
    return true;
}

bool CThreadLock::TryEnterCS(const Char* name) {
    if (!TryEnterSection(g_GlobalCS)) {
        CLogger::LogDebug(L"Unable to enter critical section in %ls hook as it is locked by '%ls'",
                          Printable(name), m_stcName);
        return false;
    }
    RecordEntry(name);
    m_sdwTimer = pw::platform::TickCount();
    return true;
}

void CThreadLock::LeaveCS() {
    // Leaving a lock this thread does not hold would corrupt it for everyone else.
    if (!HeldByCurrentThread()) {
        CLogger::LogMessage(L"LeaveCS: Critical Section is not held by this thread (TID: %08X)",
                            static_cast<unsigned>(pw::platform::CurrentThreadId()));
        return;
    }
    try {
        const int held = Elapsed(m_sdwTimer);
        if (held > static_cast<int>(kSlowMs))
            CLogger::LogMessage(L"LeaveCS: Critical Section '%ls' took %dms to release!", m_stcName,
                                held);
        RecordRelease();
    } catch (...) {
        CLogger::LogMessage(L"LeaveCS: Caught unhanded exception");
    }
    LeaveSection(g_GlobalCS);
}

bool CThreadLock::InitGlobalCS() {
    if (g_globalReady.load(std::memory_order_acquire))
        return true;
    // A new lock has no holder.
    m_snEntryCount.store(0, std::memory_order_relaxed);
    m_sdwOwner.store(0, std::memory_order_relaxed);
    if (pw::platform::InitializeSection(g_GlobalCS, kSpinCount)) {
        g_globalReady.store(true, std::memory_order_release);
        return true;
    }
    CLogger::LogOSMessage(pw::platform::GetDiagnostics().LastError(),
                          L"Unable to initialise critical section in ThreadLock");
    return false;
}

void CThreadLock::ResetGlobalCS() {
    CLogger::LogMessage(L"ResetGlobalCS: Resetting global critical section lock");
    DeleteCS();
    InitGlobalCS();
}

void CThreadLock::DeleteCS() {
    if (g_globalReady.exchange(false, std::memory_order_acq_rel))
        pw::platform::DeleteSection(g_GlobalCS);
}

bool CThreadLock::GlobalCSReady() {
    return g_globalReady.load(std::memory_order_acquire);
}

bool CThreadLock::HeldByCurrentThread() {
    return m_snEntryCount.load(std::memory_order_relaxed) > 0 &&
           m_sdwOwner.load(std::memory_order_relaxed) == pw::platform::CurrentThreadId();
}

void pw::AssertLockHeld(const char* function, const char* file, int line) {
    if (CThreadLock::HeldByCurrentThread())
        return;
    std::fprintf(stderr, "%s:%d: %s: the global lock is not held by this thread\n", file, line,
                 function);
    std::abort();
}
