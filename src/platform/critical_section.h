#pragma once

// A re-entrant lock with the system critical section's semantics: the owning thread
// may enter again, and must leave as often as it entered.
//
// SystemCriticalSection is the system's own lock object. On Windows it is the
// CRITICAL_SECTION that the exported lock class names in its interface, so that the main
// program can hand over its own; the functions below work on one in place.
// CriticalSection owns one.

#include <cstddef>
#include <mutex>

#if defined(_WIN32)
struct _RTL_CRITICAL_SECTION; // CRITICAL_SECTION
#endif

namespace pw::platform {

#if defined(_WIN32)
using SystemCriticalSection = ::_RTL_CRITICAL_SECTION;
#else
// A recursive mutex created in place, as the system creates its critical section.
struct SimCriticalSection {
    alignas(std::recursive_mutex) unsigned char storage[sizeof(std::recursive_mutex)];
};
using SystemCriticalSection = SimCriticalSection;
#endif

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
