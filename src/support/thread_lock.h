#pragma once

// The named, re-entrant, timed lock over the library's one global critical section,
// and the same timing and logging around a caller's own critical section.

#include "platform/critical_section.h"
#include "support/export.h"
#include "support/text.h"

#include <cstdint>

class PW_API CThreadLock {
public:
    static constexpr size_t kNameLength = 64;
    static constexpr unsigned kSpinCount = 4000;
    // Waits and holds longer than this many milliseconds are reported.
    static constexpr uint32_t kSlowMs = 1000;

    // Scoped hold of the global lock under name.
    explicit CThreadLock(const Char* name);
    // Scoped hold of the caller's critical section; the global owner fields are untouched.
    CThreadLock(pw::platform::CriticalSection& criticalSection, const Char* name);
    ~CThreadLock();
    CThreadLock(const CThreadLock&) = delete;
    CThreadLock& operator=(const CThreadLock&) = delete;

    static bool EnterCS(const Char* name);
    static bool TryEnterCS(const Char* name);
    static void LeaveCS();

    static bool InitGlobalCS();
    static void ResetGlobalCS();
    static void DeleteCS();

    // The global lock's current holder, for logs and checks.
    static int EntryCount() { return m_snEntryCount; }
    static unsigned long Owner() { return m_sdwOwner; }
    static const Char* OwnerName() { return m_stcName; }
    // Whether the calling thread holds the global lock.
    static bool HeldByCurrentThread();

    static pw::platform::CriticalSection g_GlobalCS;

private:
    void Acquire(const Char* name);

    static int m_snEntryCount;
    static unsigned long m_sdwOwner;
    static Char m_stcName[kNameLength];
    static uint32_t m_sdwTimer;

    pw::platform::CriticalSection* m_pCS = nullptr;
    uint32_t m_dwRequested = 0;
    Char m_tcName[kNameLength] = {};
};
