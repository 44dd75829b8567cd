#pragma once

// One of the library's long-lived threads (hook thread, timer thread) with the two
// hand-shakes a plain std::thread lacks: the starter waits until the thread has its
// message queue and id, so nothing posted to it is lost, and the stopper waits a bounded
// time for it to end.

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

namespace pw::hook {

class LibraryThread {
  public:
    // Shared with the thread, which may outlive the object after a time-out.
    struct State {
        std::mutex mutex;
        std::condition_variable changed;
        bool started = false;
        bool exited = false;
        unsigned long exitCode = 0;
    };

    // Handed to the thread's body, which reports through it that its queue and id exist.
    class StartSignal {
      public:
        explicit StartSignal(std::shared_ptr<State> state) : state_(std::move(state)) {}
        void Started();

      private:
        std::shared_ptr<State> state_;
    };

    // The thread's body: returns its exit code.
    using Body = unsigned long (*)(StartSignal& start);

    LibraryThread() = default;
    // A thread still running is let go.
    ~LibraryThread();
    LibraryThread(const LibraryThread&) = delete;
    LibraryThread& operator=(const LibraryThread&) = delete;

    // Starts body and waits until it has started (or ended). False with error set to the
    // system's code when no thread could be created.
    bool Start(Body body, uint32_t& error);
    bool Running() const { return thread_.joinable(); }
    // Waits up to ms for the body to return; true with its exit code once it has (the
    // thread is then joined).
    bool WaitForExit(unsigned ms, unsigned long& exitCode);
    // After a time-out: ends the thread with exitCode where the platform can, else lets
    // it run on unowned.
    void Terminate(unsigned long exitCode);
    // Lets go of the thread without waiting, for when the system has ended it already.
    void Forget();

  private:
    std::shared_ptr<State> state_;
    std::thread thread_;
};

} // namespace pw::hook
