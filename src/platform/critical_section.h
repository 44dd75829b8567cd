#pragma once

// A re-entrant lock with the system critical section's semantics: the owning thread
// may enter again, and must leave as often as it entered.
//
// The functions below work in place on the system's own lock object
// (platform/system_critical_section.h); CriticalSection owns one.

#include "platform/system_critical_section.h"

#include <cstddef>
#include <mutex>

namespace pw::platform {

// As the system's InitializeCriticalSectionAndSpinCount, DeleteCriticalSection,
// EnterCriticalSection, TryEnterCriticalSection and LeaveCriticalSection. spinCount is how
// often a waiter spins before sleeping.
bool InitializeSection(SystemCriticalSection& section, unsigned spinCount);
void DeleteSection(SystemCriticalSection& section);
void EnterSection(SystemCriticalSection& section);
bool TryEnterSection(SystemCriticalSection& section);
void LeaveSection(SystemCriticalSection& section);

class CriticalSection {
  public:
    CriticalSection() = default;
    ~CriticalSection() { Delete(); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    // Creates the lock; spinCount is how often a waiter spins before sleeping.
    bool Initialize(unsigned spinCount = 0);
    void Delete();
    bool IsInitialized() const { return initialized_; }

    void Enter() { EnterSection(Native()); }
    bool TryEnter() { return TryEnterSection(Native()); }
    void Leave() { LeaveSection(Native()); }

    // The system's lock object inside, for interfaces that take one.
    SystemCriticalSection& Native();

  private:
    static constexpr size_t kStorageSize = 64;
    alignas(16) unsigned char storage_[kStorageSize] = {};
    bool initialized_ = false;
};

// Holds a critical section until the end of the scope; for locks whose waits are not
// named and timed (see CThreadLock for those).
class ScopedCriticalSection {
  public:
    explicit ScopedCriticalSection(CriticalSection& section) : section_(section) {
        section_.Enter();
    }
    // Takes over a section the caller has entered already.
    ScopedCriticalSection(CriticalSection& section, std::adopt_lock_t) : section_(section) {}
    ~ScopedCriticalSection() { section_.Leave(); }
    ScopedCriticalSection(const ScopedCriticalSection&) = delete;
    ScopedCriticalSection& operator=(const ScopedCriticalSection&) = delete;

  private:
    CriticalSection& section_;
};

// The calling thread's system id.
unsigned long CurrentThreadId();

} // namespace pw::platform
