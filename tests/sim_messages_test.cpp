#include "platform/sim/sim_loader_lock.h"
#include "platform/sim/sim_messages.h"
#include "platform/sim/sim_windows.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <new>
#include <thread>

namespace {

using pw::sim::SimMessages;

// Each desktop hands out thread ids from the same first number, and a later desktop may
// take the address of an earlier one. A thread that ran a message loop for the earlier
// desktop and ends only now must leave the later desktop's thread of the same id alone:
// its queue stays, and what is posted to it arrives.
TEST(SimMessagesTest, ALoopThreadEndingAfterItsDesktopLeavesALaterDesktopAlone) {
    pw::sim::SimWindows windows;
    pw::sim::SimLoaderLock loaderLock;
    alignas(SimMessages) unsigned char storage[sizeof(SimMessages)];

    auto* earlierDesktop = new (storage) SimMessages(windows, loaderLock);
    std::promise<unsigned long> earlierLooped;
    std::promise<void> earlierMayEnd;
    std::thread earlier([&] {
        earlierDesktop->CreateThreadQueue();
        const unsigned long self = earlierDesktop->CurrentThreadId();
        earlierDesktop->PostThreadMessage(self, pw::platform::kWmQuit, 0, 0);
        pw::platform::Messages::ThreadMessage message;
        earlierDesktop->GetMessage(message);
        earlierLooped.set_value(self);
        earlierMayEnd.get_future().wait();
    });
    const unsigned long earlierId = earlierLooped.get_future().get();
    earlierDesktop->~SimMessages();

    auto* laterDesktop = new (storage) SimMessages(windows, loaderLock);
    std::promise<unsigned long> laterReady;
    std::promise<void> laterMayEnd;
    std::thread later([&] {
        laterDesktop->CreateThreadQueue();
        laterReady.set_value(laterDesktop->CurrentThreadId());
        laterMayEnd.get_future().wait();
    });
    const unsigned long laterId = laterReady.get_future().get();
    ASSERT_EQ(laterId, earlierId);

    earlierMayEnd.set_value();
    earlier.join();
    laterDesktop->PostThreadMessage(laterId, pw::platform::kWmUser, 0, 0);
    EXPECT_EQ(laterDesktop->UndeliveredPosts(), 0u);

    laterMayEnd.set_value();
    later.join();
    laterDesktop->~SimMessages();
}

// A loop thread that has its queue but has not reached its loop yet, as a thread just
// started on a loaded machine: what is posted to it is still to be done, so the desktop is
// not quiet until the thread has taken it and waits again.
TEST(SimMessagesTest, AThreadNotYetInItsLoopKeepsTheDesktopBusy) {
    pw::sim::SimWindows windows;
    pw::sim::SimLoaderLock loaderLock;
    SimMessages messages(windows, loaderLock);
    std::promise<unsigned long> created;
    std::promise<void> mayLoop;
    std::thread loop([&] {
        messages.CreateThreadQueue();
        created.set_value(messages.CurrentThreadId());
        mayLoop.get_future().wait();
        pw::platform::Messages::ThreadMessage message;
        while (messages.GetMessage(message) > 0) {
        }
    });
    const unsigned long id = created.get_future().get();
    messages.PostThreadMessage(id, pw::platform::kWmUser, 0, 0);
    EXPECT_FALSE(messages.WaitUntilQuiet(std::chrono::milliseconds(20)));

    mayLoop.set_value();
    EXPECT_TRUE(messages.WaitUntilQuiet(std::chrono::seconds(10)));
    messages.PostThreadMessage(id, pw::platform::kWmQuit, 0, 0);
    loop.join();
    EXPECT_TRUE(messages.WaitUntilQuiet(std::chrono::seconds(10)));
}

} // namespace
