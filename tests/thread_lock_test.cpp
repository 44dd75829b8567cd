#include "platform/sim/simulated_desktop.h"
#include "settings/folders.h"
#include "support/invalid_parameter.h"
#include "support/logger.h"
#include "support/thread_lock.h"
#include "support/wait_until.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <optional>
#include <thread>

namespace {

// The global lock and a logger with debugging on, its file already open so that lock
// contention is all that the tests observe.
class ThreadLockTest : public ::testing::Test {
  protected:
    void SetUp() override {
        CThreadLock::InitGlobalCS();
        CLogger::Initialise();
        CLogger::DisableLogging(false);
        CLogger::EnableDebug(true);
        CLogger::LogMessage(L"start");
        desktop.diagnostics.ClearDebugLines();
    }
    void TearDown() override {
        CLogger::EnableDebug(false);
        CLogger::CloseLogFile(false);
        CLogger::Shutdown();
        CThreadLock::DeleteCS();
    }

    // Debug output lines containing text, timestamps stripped.
    std::vector<String> LinesWith(StringView text) {
        std::vector<String> found;
        for (const String& line : desktop.diagnostics.DebugLines()) {
            if (line.find(text) == String::npos)
                continue;
            const size_t marker = line.find(L"> ");
            found.push_back(line.substr(marker + 2, line.size() - marker - 4));
        }
        return found;
    }

    pw::sim::SimulatedDesktop desktop;
};

String Hex(unsigned long id) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(id));
    return pw::FromUtf8(text);
}

TEST_F(ThreadLockTest, NestedHoldersKeepTheOutermostNameUntilTheLastRelease) {
    {
        CThreadLock outer(L"Outer");
        EXPECT_EQ(CThreadLock::EntryCount(), 1);
        EXPECT_EQ(CThreadLock::Owner(), pw::platform::CurrentThreadId());
        EXPECT_TRUE(CThreadLock::HeldByCurrentThread());
        {
            CThreadLock inner(L"Inner");
            EXPECT_TRUE(CThreadLock::EnterCS(L"Static"));
            EXPECT_EQ(CThreadLock::EntryCount(), 3);
            EXPECT_STREQ(CThreadLock::OwnerName(), L"Outer");
            CThreadLock::LeaveCS();
        }
        EXPECT_EQ(CThreadLock::EntryCount(), 1);
        EXPECT_STREQ(CThreadLock::OwnerName(), L"Outer");
    }
    EXPECT_EQ(CThreadLock::EntryCount(), 0);
    EXPECT_EQ(CThreadLock::Owner(), 0u);
    EXPECT_STREQ(CThreadLock::OwnerName(), L"unknown");
    EXPECT_FALSE(CThreadLock::HeldByCurrentThread());
    EXPECT_TRUE(desktop.diagnostics.DebugLines().empty());
}

TEST_F(ThreadLockTest, WaitsUpTo1000msAreDebugLinesLongerOnesInformation) {
    for (uint32_t wait : {1000u, 1001u}) {
        SCOPED_TRACE(wait);
        desktop.diagnostics.ClearDebugLines();
        std::optional<CThreadLock> holder;
        holder.emplace(L"Holder");
        std::atomic<unsigned long> waiterId{0};
        std::thread waiter([&] {
            waiterId = pw::platform::CurrentThreadId();
            CThreadLock lock(L"Waiter");
        });
        // Released and joined even when the wait was not seen, so a failure cannot hang.
        EXPECT_TRUE(pw::test::WaitUntil([&] {
            return desktop.diagnostics.DebugOutputContains(L"Unable to enter critical section");
        }));
        desktop.clock.Advance(wait);
        holder.reset();
        waiter.join();

        const String waiting = L"Unable to enter critical section for lock 'Waiter' (TID: " +
                               Hex(waiterId) +
                               L") because it is already locked by 'Holder' - Waiting...";
        EXPECT_EQ(LinesWith(L"Unable to enter"), std::vector<String>{waiting});
        if (wait == 1000) {
            EXPECT_EQ(LinesWith(L"Waiter'"),
                      (std::vector<String>{waiting, L"Obtained lock for 'Waiter' after 1000ms."}));
            EXPECT_TRUE(LinesWith(L"to release").empty());
        } else {
            EXPECT_EQ(LinesWith(L"Waiter'"),
                      (std::vector<String>{
                          waiting, L"It took a long time to obtain the lock for 'Waiter' (1001ms).",
                          L"The lock for 'Waiter' took 1001ms to release!"}));
            EXPECT_EQ(LinesWith(L"'Holder' took"),
                      std::vector<String>{L"The lock for 'Holder' took 1001ms to release!"});
        }
    }
}

TEST_F(ThreadLockTest, HoldsLongerThan1000msAreReported) {
    pw::platform::CriticalSection own;
    own.Initialize();
    for (uint32_t hold : {1000u, 1001u}) {
        desktop.diagnostics.ClearDebugLines();
        {
            CThreadLock global(L"Scoped");
            desktop.clock.Advance(hold);
        }
        {
            CThreadLock mine(own.Native(), L"Mine");
            EXPECT_EQ(CThreadLock::EntryCount(), 0); // a caller's lock leaves the globals alone
            desktop.clock.Advance(hold);
        }
        CThreadLock::EnterCS(L"Static");
        desktop.clock.Advance(hold);
        CThreadLock::LeaveCS();

        if (hold == 1000) {
            EXPECT_TRUE(LinesWith(L"release").empty());
        } else {
            EXPECT_EQ(LinesWith(L"release"),
                      (std::vector<String>{L"The lock for 'Scoped' took 1001ms to release!",
                                           L"The lock for 'Mine' took 1001ms to release!",
                                           L"LeaveCS: Critical Section 'Static' took 1001ms to "
                                           L"release!"}));
        }
    }
}

TEST_F(ThreadLockTest, TryEnterFailsOnlyForOtherThreads) {
    std::optional<CThreadLock> owner;
    owner.emplace(L"Owner");
    bool taken = true;
    std::thread([&] { taken = CThreadLock::TryEnterCS(L"Mouse"); }).join();
    EXPECT_FALSE(taken);
    EXPECT_EQ(LinesWith(L"Unable"),
              std::vector<String>{
                  L"Unable to enter critical section in Mouse hook as it is locked by 'Owner'"});

    EXPECT_TRUE(CThreadLock::TryEnterCS(L"Mouse"));
    EXPECT_EQ(CThreadLock::EntryCount(), 2);
    CThreadLock::LeaveCS();
    owner.reset();

    unsigned long otherId = 0;
    std::thread([&] {
        taken = CThreadLock::TryEnterCS(L"Keyboard");
        otherId = CThreadLock::Owner();
        CThreadLock::LeaveCS();
    }).join();
    EXPECT_TRUE(taken);
    EXPECT_NE(otherId, pw::platform::CurrentThreadId());
    EXPECT_EQ(CThreadLock::EntryCount(), 0);
}

int g_invalidParameters = 0;

TEST_F(ThreadLockTest, BadNamesAndStrayReleasesAreHarmless) {
    g_invalidParameters = 0;
    auto previous = pw::SetInvalidParameterHandler([](const Char*) { ++g_invalidParameters; });
    {
        CThreadLock fits(String(CThreadLock::kNameLength - 1, L'n').c_str());
        EXPECT_EQ(CThreadLock::OwnerName(), String(CThreadLock::kNameLength - 1, L'n'));
    }
    EXPECT_EQ(g_invalidParameters, 0);
    {
        CThreadLock tooLong(String(CThreadLock::kNameLength, L'n').c_str());
        EXPECT_STREQ(CThreadLock::OwnerName(), L"");
        EXPECT_EQ(g_invalidParameters, 1);
        CThreadLock nameless(nullptr);
        EXPECT_EQ(CThreadLock::EntryCount(), 2);
    }
    pw::SetInvalidParameterHandler(previous);

    // Leaving a lock this thread does not hold is refused with a log line.
    CThreadLock::LeaveCS();
    EXPECT_EQ(CThreadLock::EntryCount(), 0);
    EXPECT_EQ(LinesWith(L"LeaveCS").size(), 1u);
    EXPECT_TRUE(CThreadLock::TryEnterCS(L"After"));
    CThreadLock::LeaveCS();
}

// Code that states it needs the global lock stops the program when it runs without it, in
// every build that checks locks (the Linux build does).
TEST_F(ThreadLockTest, CodeThatNeedsTheGlobalLockStopsWithoutIt) {
#if !defined(PALLAWICK_CHECK_LOCKS)
    GTEST_SKIP() << "this build does not check locks";
#endif
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(pw::folders::CurrentLanguageFile(), "the global lock is not held by this thread");
    CThreadLock lock(L"LanguageFile");
    EXPECT_EQ(pw::folders::CurrentLanguageFile(), nullptr);
}

} // namespace
