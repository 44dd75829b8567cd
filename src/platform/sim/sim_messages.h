#pragma once

#include "platform/platform.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

namespace pw::sim {

class SimLoaderLock;
class SimWindows;

// One message the library posted or sent, as the recorder keeps it.
struct SimMessage {
    enum class Kind { Posted, PostedToThread, Sent };
    Kind kind = Kind::Posted;
    HWND window = nullptr;
    unsigned long threadId = 0;
    unsigned message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// Registered messages, a recorder of everything posted or sent, and scripted answers to
// sent messages. Thread ids are small numbers handed out in order of first use.
class SimMessages final : public platform::Messages {
  public:
    using Answer = std::function<LRESULT(HWND, unsigned, WPARAM, LPARAM)>;

    SimMessages(SimWindows& windows, SimLoaderLock& loaderLock);
    ~SimMessages() override;
    SimMessages(const SimMessages&) = delete;
    SimMessages& operator=(const SimMessages&) = delete;

    unsigned RegisterWindowMessage(const Char* name) override;
    bool PostMessage(HWND window, unsigned message, WPARAM wParam, LPARAM lParam) override;
    bool PostThreadMessage(unsigned long threadId, unsigned message, WPARAM wParam,
                           LPARAM lParam) override;
    LRESULT SendMessage(HWND window, unsigned message, WPARAM wParam, LPARAM lParam) override;
    bool SendMessageTimeout(HWND window, unsigned message, WPARAM wParam, LPARAM lParam,
                            unsigned flags, unsigned timeoutMs, uintptr_t* result) override;
    unsigned long CurrentThreadId() override;
    // Each thread's queue is kept from its first CreateThreadQueue or GetMessage; thread
    // messages posted to a thread without a queue are only recorded. A thread that creates
    // its queue is one of the library's own loop threads: its exit takes part in the loader
    // lock, and the desktop is quiet only once it waits for its next message.
    void CreateThreadQueue() override;
    int GetMessage(ThreadMessage& out) override;
    // Simulated timers call their procedures themselves; a timer message a test posts
    // runs the procedure in its lParam.
    void DispatchThreadMessage(const ThreadMessage& message) override;

    // The answer to sent messages; by default WM_NCHITTEST finds the client area and
    // everything else answers 0.
    void SetAnswer(Answer answer);
    // Registered id of a name, 0 when it was never registered.
    unsigned RegisteredId(const Char* name) const;
    std::vector<SimMessage> Recorded() const;
    // Takes the records made so far, leaving none.
    std::vector<SimMessage> TakeRecorded();
    // Waits until every thread running a message loop waits for its next message with an
    // empty queue; false when that did not happen within limit.
    bool WaitUntilQuiet(std::chrono::milliseconds limit);
    // The thread ids handed out, so tests can name threads they did not create.
    unsigned long ThreadIdOf(std::thread::id thread);
    // Thread messages posted to a thread that had no queue, which only the recorder kept.
    size_t UndeliveredPosts() const;

    // Called at each thread message posted, with whether it was queued and whether its
    // thread was in a message loop then; for diagnostics of lost requests.
    using ThreadPostObserver =
        std::function<void(unsigned long threadId, unsigned message, bool queued, bool looping)>;
    void SetThreadPostObserver(ThreadPostObserver observer);

  private:
    friend class LoopThreadExit;
    // A thread that ran a message loop has ended: its queue goes with it, as on Windows,
    // whether it left on the quit message or on one of its own.
    void LoopThreadEnded(unsigned long threadId);
    bool QuietLocked() const;
    LRESULT AnswerOf(HWND window, unsigned message, WPARAM wParam, LPARAM lParam);
    void Record(const SimMessage& message);

    SimWindows& windows_;
    SimLoaderLock& loaderLock_;
    // Tells this desktop's services from a later desktop's at the same address, so that a
    // thread of an earlier desktop ending late leaves the later one's queues alone.
    const uint64_t serial_;
    size_t undeliveredPosts_ = 0;
    mutable std::mutex mutex_;
    std::map<String, unsigned> registered_;
    std::map<std::thread::id, unsigned long> threadIds_;
    std::vector<SimMessage> recorded_;
    std::map<unsigned long, std::deque<ThreadMessage>> threadQueues_;
    std::condition_variable queued_;
    // Loop threads, from their queue or their first wait until their quit message or their
    // end, and those of them waiting.
    std::set<unsigned long> running_;
    std::set<unsigned long> waiting_;
    std::condition_variable quiet_;
    Answer answer_;
    ThreadPostObserver postObserver_;
};

} // namespace pw::sim
