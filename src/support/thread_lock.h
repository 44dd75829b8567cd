#pragma once

// The global lock (CThreadLock, support/thread_lock_api.h) and the library's own helpers
// around it.

#include "platform/critical_section.h"
#include "support/text.h"
#include "support/thread_lock_api.h"

namespace pw {

// The global lock taken without waiting (CThreadLock::TryEnterCS), for paths that must not
// block; a lock taken is released at the end of the scope.
class ScopedTryLock {
  public:
    explicit ScopedTryLock(const Char* name) : held_(CThreadLock::TryEnterCS(name)) {}
    ~ScopedTryLock() {
        if (held_)
            CThreadLock::LeaveCS();
    }
    ScopedTryLock(const ScopedTryLock&) = delete;
    ScopedTryLock& operator=(const ScopedTryLock&) = delete;
    bool Held() const { return held_; }

  private:
    bool held_;
};

// Ends the program with a message naming the place when the calling thread does not hold
// the global lock. Called through PW_ASSERT_LOCK_HELD.
void AssertLockHeld(const char* function, const char* file, int line);

} // namespace pw

// States that the calling thread holds the global lock. Checked in builds that define
// PALLAWICK_CHECK_LOCKS (the Linux build and its tests); nothing in the others.
#if defined(PALLAWICK_CHECK_LOCKS)
#define PW_ASSERT_LOCK_HELD() ::pw::AssertLockHeld(__func__, __FILE__, __LINE__)
#else
#define PW_ASSERT_LOCK_HELD() static_cast<void>(0)
#endif
