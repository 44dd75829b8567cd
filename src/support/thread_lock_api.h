#pragma once

// The named, re-entrant, timed lock over the library's one global critical section,
// and the same timing and logging around a caller's own critical section.
//
// Every holder names itself (usually after its function); a thread that has to wait
// logs who holds the lock, and long waits and long holds are logged as information.
// InitGlobalCS must have run (the library does it when it is loaded) before any use.

#include <PallawickHook/platform/system_critical_section.h>
#include <PallawickHook/platform/text_types.h>
#include <PallawickHook/support/export.h>

#include <atomic>
#include <cstddef>
#include <cstdint>

class PW_API CThreadLock {
  public:
    // Name fields hold at most kNameLength - 1 characters; a longer name leaves them empty.
    static constexpr size_t kNameLength = 64;
    static constexpr unsigned kSpinCount = 4000;
    // Waits and holds longer than this many milliseconds are reported.
    static constexpr uint32_t kSlowMs = 1000;

    // Scoped hold of the global lock under name.
    explicit CThreadLock(const Char* name);
    // Scoped hold of the caller's critical section; the global owner fields are untouched.
    CThreadLock(pw::platform::SystemCriticalSection& criticalSection, const Char* name);
    ~CThreadLock();
    CThreadLock(const CThreadLock&) = delete;
    CThreadLock& operator=(const CThreadLock&) = delete;

    // Takes the global lock, waiting as long as needed; returns true.
    static bool EnterCS(const Char* name);
    // Takes the global lock only if it is free or already held by this thread.
    static bool TryEnterCS(const Char* name);
    // Releases one level taken by EnterCS or TryEnterCS.
    static void LeaveCS();

    static bool InitGlobalCS();
    static void ResetGlobalCS();
    static void DeleteCS();
    // Whether InitGlobalCS has created the global lock (and DeleteCS not yet destroyed it).
    static bool GlobalCSReady();

    // The global lock's current holder, for logs and checks.
    static int EntryCount() { return m_snEntryCount.load(std::memory_order_relaxed); }
    static unsigned long Owner() { return m_sdwOwner.load(std::memory_order_relaxed); }
    static const Char* OwnerName() { return m_stcName; }
    // Whether the calling thread holds the global lock.
    static bool HeldByCurrentThread();

    // The system's critical section: defined beside DllMain on Windows, where the system's
    // type is complete, and with the lock class elsewhere.
    static pw::platform::SystemCriticalSection g_GlobalCS;

  private:
    void Acquire(const Char* name);
    bool IsGlobal() const { return m_pCS == &g_GlobalCS; }
    // Counts one more level of the global lock, taken by the calling thread.
    static void RecordEntry(const Char* name);
    // Counts one level less; the last one clears the owner.
    static void RecordRelease();

    // Changed only while g_GlobalCS is held; read without it by waiters and checks.
    static std::atomic<int> m_snEntryCount;
    static std::atomic<unsigned long> m_sdwOwner;
    static Char m_stcName[kNameLength];
    static uint32_t m_sdwTimer;

    pw::platform::SystemCriticalSection* m_pCS = nullptr;
    uint32_t m_dwRequested = 0;
    Char m_tcName[kNameLength] = {};
};
