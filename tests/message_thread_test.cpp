#include "hook/library.h"
#include "platform/sim/simulated_desktop.h"
#include "support/logger.h"
#include "support/message_thread.h"
#include "support/wait_until.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

using pw::MessageThread;
using pw::test::WaitUntil;

constexpr unsigned kWork = pw::platform::kWmUser + 1;
constexpr unsigned kLeave = pw::platform::kWmUser + 2;
constexpr unsigned kThrow = pw::platform::kWmUser + 3;
constexpr unsigned kBlock = pw::platform::kWmUser + 4;

// Records what the thread did; kLeave ends the loop, kThrow throws, kBlock waits for
// release, and OnStarting waits for release too when holdStart is set.
class Recorder final : public MessageThread::Handler {
  public:
    void OnStarting(unsigned long threadId) override {
        startingId = threadId;
        if (holdStart)
            WaitUntil([&] { return released.load(); });
    }
    void OnStarted() override { started = true; }
    bool OnMessage(const MessageThread::Message& message) override {
        {
            std::lock_guard lock(mutex);
            seen.push_back(message.message);
        }
        if (message.message == kThrow)
            throw std::runtime_error("handler failed");
        if (message.message == kBlock)
            WaitUntil([&] { return released.load(); });
        return message.message != kLeave;
    }
    void OnStopped() override { stopped = true; }

    std::vector<unsigned> Seen() {
        std::lock_guard lock(mutex);
        return seen;
    }

    std::atomic<unsigned long> startingId{0};
    std::atomic<bool> started{false};
    std::atomic<bool> stopped{false};
    std::atomic<bool> holdStart{false};
    std::atomic<bool> released{false};

  private:
    std::mutex mutex;
    std::vector<unsigned> seen;
};

class MessageThreadTest : public ::testing::Test {
  protected:
    MessageThreadTest() { CLogger::EnableDebug(true); }
    ~MessageThreadTest() override { CLogger::EnableDebug(false); }
    bool Logged(StringView text) const { return desktop.diagnostics.DebugOutputContains(text); }

    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
    MessageThread::Options options{
        .name = "Test Thread",
        .priority = pw::platform::Threads::kPriorityAboveNormal,
        .queueError = L"Test: queue failed.",
        .exitText = L"Test: leaving.",
        .exceptionText = L"Test: caught an exception.",
        .stopTimeoutMs = 5000,
        .lateText = L"Test thread is late!",
        .exitedText = L"Test thread exited successfully.",
        .failedText = L"Test thread exited with error code %d.",
    };
    Recorder recorder;
};

TEST_F(MessageThreadTest, StartsReadyForMessagesAndEndsOnTheQuitMessage) {
    MessageThread thread(options);
    EXPECT_EQ(thread.Join(), MessageThread::Joined::NotRunning);
    uint32_t error = 0;
    ASSERT_TRUE(thread.Start(recorder, error));

    // Start returns once the queue exists: a message posted at once is not lost.
    const unsigned long id = thread.ThreadId();
    ASSERT_NE(id, 0u);
    EXPECT_EQ(recorder.startingId.load(), id);
    EXPECT_TRUE(thread.Running());
    desktop.messages.PostThreadMessage(id, kWork, 0, 0);
    EXPECT_EQ(desktop.threads.NameOf(id), "Test Thread");
    EXPECT_EQ(desktop.threads.PriorityOf(id), pw::platform::Threads::kPriorityAboveNormal);

    // The quit message reaches the handler after what was posted before it, then ends it.
    unsigned long code = 0;
    EXPECT_EQ(thread.Stop(), MessageThread::Joined::Exited);
    EXPECT_TRUE(recorder.started);
    EXPECT_TRUE(recorder.stopped);
    EXPECT_EQ(recorder.Seen(), (std::vector<unsigned>{kWork, pw::platform::kWmQuit}));
    EXPECT_EQ(thread.ThreadId(), 0u);
    EXPECT_FALSE(thread.Exists());
    EXPECT_TRUE(Logged(L"Test: leaving."));
    EXPECT_TRUE(Logged(L"Test thread exited successfully."));

    // A handler may end the loop itself; another message asks to stop.
    ASSERT_TRUE(thread.Start(recorder, error));
    thread.StopSoon(kLeave, 7);
    EXPECT_EQ(thread.Join(&code), MessageThread::Joined::Exited);
    EXPECT_EQ(code, 1u);
    EXPECT_FALSE(Logged(L"Test thread is late!"));
}

TEST_F(MessageThreadTest, AnExceptionIsLoggedAndEndsTheThreadLikeItsLoop) {
    MessageThread thread(options);
    uint32_t error = 0;
    ASSERT_TRUE(thread.Start(recorder, error));
    desktop.messages.PostThreadMessage(thread.ThreadId(), kThrow, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !thread.Running(); }));
    EXPECT_TRUE(recorder.stopped);
    unsigned long code = 1;
    EXPECT_EQ(thread.Join(&code), MessageThread::Joined::Exited);
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(Logged(L"Test: caught an exception."));
    EXPECT_FALSE(Logged(L"Test: leaving."));
    EXPECT_TRUE(Logged(L"Test thread exited with error code 0."));
}

TEST_F(MessageThreadTest, ALateThreadIsReportedAndThenWaitedForOrLetGo) {
    options.stopTimeoutMs = 50;
    // Waited for: Join returns once the thread has ended after all.
    {
        MessageThread thread(options);
        uint32_t error = 0;
        ASSERT_TRUE(thread.Start(recorder, error));
        desktop.messages.PostThreadMessage(thread.ThreadId(), kBlock, 0, 0);
        std::thread releaser([&] {
            WaitUntil([&] { return Logged(L"Test thread is late!"); });
            recorder.released = true;
        });
        EXPECT_EQ(thread.Stop(), MessageThread::Joined::Late);
        releaser.join();
        EXPECT_TRUE(recorder.stopped);
        EXPECT_FALSE(thread.Exists());
    }

    // Let go where it cannot be terminated: Join returns at the time-out. The thread must
    // not use the platform once it is let go, nor the handler once it has stopped.
    options.late = MessageThread::LateThread::Terminate;
    options.exitText = nullptr;
    static Recorder blocked;
    blocked.released = false;
    blocked.stopped = false;
    MessageThread thread(options);
    uint32_t error = 0;
    ASSERT_TRUE(thread.Start(blocked, error));
    desktop.messages.PostThreadMessage(thread.ThreadId(), kBlock, 0, 0);
    EXPECT_EQ(thread.Stop(), MessageThread::Joined::Late);
    EXPECT_FALSE(thread.Exists());
    EXPECT_FALSE(blocked.stopped);
    // The thread ends on its own once it can; the handler must outlive it.
    blocked.released = true;
    EXPECT_TRUE(WaitUntil([&] { return blocked.stopped.load(); }));
}

TEST_F(MessageThreadTest, WhileUnloadingNoThreadIsWaitedForPastItsLoop) {
    options.stopTimeoutMs = 50;
    const MessageThread::Unloading unloading;
    // As under the loader lock: a thread that ended its loop cannot finish exiting.
    desktop.loaderLock.Hold();
    MessageThread thread(options);
    uint32_t error = 0;
    ASSERT_TRUE(thread.Start(recorder, error));
    EXPECT_EQ(thread.Stop(), MessageThread::Joined::Exited);
    EXPECT_FALSE(thread.Exists());
    EXPECT_TRUE(WaitUntil([&] { return desktop.loaderLock.WaitingExits() == 1; }));

    // A late thread that cannot be terminated is waited for until its loop ends, as its
    // handler must outlive that, but not until it exits.
    Recorder late;
    ASSERT_TRUE(thread.Start(late, error));
    desktop.messages.PostThreadMessage(thread.ThreadId(), kBlock, 0, 0);
    std::thread releaser([&] {
        WaitUntil([&] { return Logged(L"Test thread is late!"); });
        late.released = true;
    });
    EXPECT_EQ(thread.Stop(), MessageThread::Joined::Late);
    releaser.join();
    EXPECT_TRUE(late.stopped);
    EXPECT_FALSE(thread.Exists());
    EXPECT_TRUE(WaitUntil([&] { return desktop.loaderLock.WaitingExits() == 2; }));
    desktop.loaderLock.Release();
}

TEST_F(MessageThreadTest, AStopAskedBeforeTheQueueExistsIsDeliveredOnceItDoes) {
    options.startTimeoutMs = 0;
    options.stopTimeoutMs = 1000;
    recorder.holdStart = true;
    MessageThread thread(options);
    uint32_t error = 0;
    ASSERT_TRUE(thread.Start(recorder, error));
    EXPECT_EQ(thread.ThreadId(), 0u);
    thread.StopSoon();
    recorder.released = true;

    // Were the stop lost, Join would time out; the quit posted then ends the thread.
    std::atomic<bool> joined{false};
    std::thread rescuer([&] {
        WaitUntil([&] { return joined.load() || Logged(L"Test thread is late!"); });
        if (!joined)
            desktop.messages.PostThreadMessage(recorder.startingId, pw::platform::kWmQuit, 0, 0);
    });
    const MessageThread::Joined result = thread.Join();
    joined = true;
    rescuer.join();
    EXPECT_EQ(result, MessageThread::Joined::Exited);
    EXPECT_EQ(recorder.Seen(), std::vector<unsigned>{pw::platform::kWmQuit});
}

} // namespace
