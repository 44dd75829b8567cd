#pragma once

// A long-lived thread with a message queue, the shape of every thread the library owns
// (hook, timer, send-input and system-parameter threads). Start creates the thread and
// waits until its queue and id exist, so that nothing posted to it is lost; the thread
// then runs a message loop that hands each message to a handler, until the handler says
// to leave or the quit message comes. StopSoon asks it to end; Join waits a bounded time
// for it and reports how it ended. Names, priorities, time-outs and log lines differ from
// thread to thread and come in as Options.

#include "platform/platform.h"
#include "support/text.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace pw {

class MessageThread {
  public:
    using Message = platform::Messages::ThreadMessage;

    // The work of a thread. Every call runs on the thread itself.
    class Handler {
      public:
        virtual ~Handler() = default;
        // The queue and the id exist; Start has not returned yet.
        virtual void OnStarting(unsigned long threadId) { static_cast<void>(threadId); }
        // Start has returned; no message has been taken yet.
        virtual void OnStarted() {}
        // One message, the quit message included; false leaves the loop after it.
        virtual bool OnMessage(const Message& message) = 0;
        // The loop has ended, normally, on a queue error, or on an exception that the
        // options log rather than report as a crash.
        virtual void OnStopped() {}
    };

    // What Join does with a thread that did not end in time. While the library is being
    // unloaded (Unloading) every late thread is terminated where the platform can; one
    // that cannot be is let go (Terminate) or waited for until its loop ends (Wait).
    enum class LateThread {
        Terminate, // ends it where the platform can, else lets it run on unowned
        Wait,      // waits on without a limit (its handler must not outlive the wait)
    };

    // While one exists the library is being unloaded. The loader then holds its lock,
    // which a thread needs to finish exiting, so no thread's exit is waited for: Join
    // lets go of a thread once its loop has said it ended, and of a late thread once it
    // has been terminated. Process-wide, as the loader lock is.
    class Unloading {
      public:
        Unloading();
        ~Unloading();
        Unloading(const Unloading&) = delete;
        Unloading& operator=(const Unloading&) = delete;
    };

    struct Options {
        const char* name = nullptr;       // for debuggers; none when null
        std::optional<int> priority = {}; // left as it is when unset
        unsigned startTimeoutMs = 1000;   // how long Start waits for the queue
        // Logged with the system error when the queue fails: information level, or debug
        // level with queueErrorIsDebug.
        const Char* queueError = nullptr;
        bool queueErrorIsDebug = false;
        // Debug line after the loop has ended without an exception; none when null.
        const Char* exitText = nullptr;
        // Information line for an exception that escapes the thread's work, which then
        // ends as usual. When null the exception is reported as a crash in crashContext.
        const Char* exceptionText = nullptr;
        const Char* crashContext = nullptr;
        // Join: the wait, the line logged when it times out, and what follows.
        unsigned stopTimeoutMs = 1000;
        const Char* lateText = nullptr;
        LateThread late = LateThread::Wait;
        unsigned long terminatedExitCode = 0xFFFFFFFF;
        // Join's report of an exit code of 1 (debug level) and of any other (information
        // level, %d is the code), and the context of an exception while waiting. None of
        // them when null.
        const Char* exitedText = nullptr;
        const Char* failedText = nullptr;
        const Char* joinContext = nullptr;
    };

    // How Join found the thread.
    enum class Joined {
        NotRunning, // no thread was started, or it was joined already
        Exited,     // it ended within the time-out
        Late,       // it did not; it was terminated, let go or waited for
    };

    explicit MessageThread(const Options& options) : options_(options) {}
    // A thread still running is let go.
    ~MessageThread();
    MessageThread(const MessageThread&) = delete;
    MessageThread& operator=(const MessageThread&) = delete;

    // Starts a thread running handler, which must outlive it, and waits until it has
    // started (or the start time-out has passed). A thread left from before is let go.
    // False, with error set to the system's code, when no thread could be created.
    bool Start(Handler& handler, uint32_t& error);
    // Asks the thread to end by posting message to it; a thread that has no queue yet
    // gets it as soon as it has one.
    void StopSoon(unsigned message = platform::kWmQuit, WPARAM wParam = 0);
    // Waits for the thread to end and reports it, as the options say; exitCode, when
    // given, receives the code of a thread that exited (1 after a normal end, 0 after a
    // queue error or a logged exception).
    Joined Join(unsigned long* exitCode = nullptr);
    // StopSoon with the quit message, then Join.
    Joined Stop();
    // Lets go of the thread without waiting, for when the system has ended it already.
    void Forget();

    // A thread was started and has not been joined.
    bool Exists() const { return thread_.joinable(); }
    // A thread exists and its loop has not ended.
    bool Running() const;
    // The thread's id once it has its queue, until its loop ends; 0 otherwise. Any thread
    // may ask, but not while the owner starts, joins or forgets the thread.
    unsigned long ThreadId() const { return state_ ? state_->threadId.load() : 0; }

  private:
    // Shared with the thread, which may outlive this object after a time-out.
    struct State {
        std::mutex mutex;
        std::condition_variable changed;
        // Written under the mutex, read without it.
        std::atomic<unsigned long> threadId{0};
        bool started = false;
        bool exited = false;
        unsigned long exitCode = 0;
        // A stop asked for before the thread had its queue.
        bool quitPending = false;
        Message quit;
    };

    static void Main(State& state, const Options& options, Handler& handler);
    static unsigned long Run(State& state, const Options& options, Handler& handler);
    static bool RunLoop(const Options& options, Handler& handler);
    static void Started(State& state, unsigned long threadId);
    // Waits up to ms for the loop to end; false when it did not.
    bool WaitForLoop(unsigned ms, unsigned long& exitCode);
    // Joins the thread whose loop has ended, or lets it go while unloading.
    void EndThread();
    void Report(unsigned long exitCode) const;
    void GiveUp();
    void Release();

    const Options options_;
    std::shared_ptr<State> state_;
    std::thread thread_;
};

} // namespace pw
