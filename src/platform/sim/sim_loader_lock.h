#pragma once

// The loader lock as the library's threads meet it. On Windows a thread's exit notifies
// the loaded libraries under the loader lock, so no thread finishes exiting while another
// holds it, as the thread that unloads a library does: a join there never returns. A test
// holds the simulated lock to see that an unloading library never waits for a thread's
// exit.

#include <cstddef>
#include <memory>

namespace pw::sim {

class SimLoaderLock {
  public:
    // Shared with the threads that take part, which may end after the desktop is gone.
    struct State;

    SimLoaderLock();
    // Releases the lock if it is held.
    ~SimLoaderLock();
    SimLoaderLock(const SimLoaderLock&) = delete;
    SimLoaderLock& operator=(const SimLoaderLock&) = delete;

    // From now on the calling thread's exit waits while the lock is held: from the end of
    // its function until it has ended, which is when a join of it returns.
    void TakePartInExit();
    void Hold();
    // Lets the exits that wait go on, and waits until none waits any more.
    void Release();
    // Threads whose exit waits for the lock now.
    size_t WaitingExits() const;

  private:
    std::shared_ptr<State> state_;
};

} // namespace pw::sim
