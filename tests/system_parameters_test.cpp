#include "hook/library.h"
#include "input/spi_thread.h"
#include "input/system_mouse_defaults.h"
#include "input/system_parameter_requests.h"
#include "platform/sim/simulated_desktop.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "settings/application_settings.h"
#include "support/thread_lock.h"
#include "support/wait_until.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using Change = pw::sim::SimParameterChange;
using pw::platform::SystemParameters;
using pw::test::WaitUntil;

constexpr uintptr_t kSettleTimer = 4351;
constexpr unsigned kPage = SystemParameters::kWheelPageScroll;
constexpr unsigned kBroadcast = SystemParameters::kSendChange;
constexpr unsigned kBroadcastAndSave =
    SystemParameters::kSendChange | SystemParameters::kUpdateIniFile;

bool IsLines(const Change& change, unsigned lines, unsigned flags) {
    return change.kind == Change::Kind::WheelScrollLines && change.value == lines &&
           change.updateFlags == flags;
}

bool IsSwap(const Change& change, unsigned swapped, unsigned flags) {
    return change.kind == Change::Kind::ButtonSwap && change.value == swapped &&
           change.updateFlags == flags;
}

class SystemParametersTest : public ::testing::Test {
  protected:
    void SetUp() override {
        pw::runtime::RegisterMessages();
        desktop.systemParameters.Preset(false, 3);
    }
    void TearDown() override {
        g_pSPIThread = nullptr;
        pw::hook::ResetLibraryState();
        spi.reset();
    }

    void Start() {
        spi = std::make_unique<CSPIThread>();
        ASSERT_NE(g_dwSPIThreadId.load(), 0u);
        desktop.systemParameters.TakeChanges();
    }
    // Waits until the thread has (re)started the settle timer, which then has its full
    // 100 ms to run.
    bool TimerRestarted() {
        return WaitUntil([&] { return desktop.timers.DueIn(kSettleTimer) == 100; });
    }
    // Waits until the thread has taken the settle timer's message and stopped it.
    bool TimerStopped() {
        return WaitUntil([&] { return !desktop.timers.IsRunning(kSettleTimer); });
    }
    // Waits until the thread has taken the pending request for lines; a request made
    // before that would replace it.
    bool Taken(unsigned lines) {
        return WaitUntil([&] { return spi->Current().m_nScrollLines == lines; });
    }
    // Hands the current profile over as a profile change does, under the global lock.
    static void ApplyProfile() {
        CThreadLock lock(L"SystemParametersTest");
        pw::NewApplicationSettings();
    }
    // Stops the thread once it has handled everything posted so far, and returns the
    // system calls it made.
    std::vector<Change> Finish() {
        EXPECT_TRUE(spi->StopThread());
        return desktop.systemParameters.TakeChanges();
    }

    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
    std::unique_ptr<CSPIThread> spi;
};

TEST_F(SystemParametersTest, ThreadStartsWithTheSystemStateAndStops) {
    // A system reporting 0 lines is taken as 3; a swapped mouse as 1.
    desktop.systemParameters.Preset(true, 0);
    Start();
    const CSPIThreadData current = spi->Current();
    EXPECT_EQ(current.m_nSwapButtons, 1u);
    EXPECT_EQ(current.m_nScrollLines, 3u);
    EXPECT_FALSE(current.m_bForce);

    EXPECT_TRUE(spi->StopThread());
    EXPECT_EQ(g_dwSPIThreadId.load(), 0u);
    EXPECT_FALSE(spi->StopThread());
    // A request after the stop is only kept; nothing reaches the system.
    EXPECT_TRUE(spi->RequestChange(0, 9, false));
    EXPECT_FALSE(desktop.timers.IsRunning(kSettleTimer));
    spi.reset();
    EXPECT_TRUE(desktop.systemParameters.Changes().empty());

    // A new object starts a new thread.
    Start();
    EXPECT_TRUE(spi->StopThread());
}

TEST_F(SystemParametersTest, ABurstOfRequestsAppliesOnlyTheLastAfterTheSettleTime) {
    Start();
    EXPECT_TRUE(spi->RequestChange(0, 5, false));
    ASSERT_TRUE(TimerRestarted());
    desktop.timers.AdvanceAndFire(50);
    EXPECT_TRUE(spi->RequestChange(1, 7, false));
    ASSERT_TRUE(TimerRestarted());
    desktop.timers.AdvanceAndFire(99);
    EXPECT_TRUE(desktop.systemParameters.Changes().empty());
    desktop.timers.AdvanceAndFire(1);

    const std::vector<Change> changes = Finish();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_TRUE(IsSwap(changes[0], 1, kBroadcast));
    EXPECT_TRUE(IsLines(changes[1], 7, kBroadcast));
    EXPECT_TRUE(desktop.systemParameters.Swapped());
    EXPECT_EQ(spi->Current().m_nScrollLines, 7u);
    EXPECT_FALSE(desktop.timers.IsRunning(kSettleTimer));
}

TEST_F(SystemParametersTest, RequestsThatChangeNothingAreDropped) {
    Start();
    // Equal to the applied state, nothing pending.
    EXPECT_FALSE(spi->RequestChange(0, 3, false));
    // Equal to the pending one.
    EXPECT_TRUE(spi->RequestChange(0, 5, false));
    EXPECT_FALSE(spi->RequestChange(0, 5, false));
    // Back to the applied state while one is pending: the pending one is dropped.
    EXPECT_FALSE(spi->RequestChange(0, 3, false));
    ASSERT_TRUE(TimerRestarted());
    desktop.timers.AdvanceAndFire(100);
    EXPECT_TRUE(Finish().empty());
    EXPECT_EQ(spi->Current().m_nScrollLines, 3u);
}

TEST_F(SystemParametersTest, OnlyValuesThatDifferFromTheSystemAreSet) {
    Start();
    // The swap already matches the system; "leave the swap" never touches it.
    EXPECT_TRUE(spi->RequestChange(0, 6, false));
    ASSERT_TRUE(TimerRestarted());
    desktop.timers.AdvanceAndFire(100);
    ASSERT_TRUE(Taken(6));
    EXPECT_TRUE(spi->RequestChange(CSPIThreadData::kLeaveSwap, kPage, false));
    ASSERT_TRUE(TimerRestarted());
    desktop.timers.AdvanceAndFire(100);

    const std::vector<Change> changes = Finish();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_TRUE(IsLines(changes[0], 6, kBroadcast));
    EXPECT_TRUE(IsLines(changes[1], kPage, kBroadcast));
    EXPECT_FALSE(desktop.systemParameters.Swapped());
}

TEST_F(SystemParametersTest, AForcedRequestIsQueuedEvenWhenEqualAndSavesTheChange) {
    Start();
    // Someone changed the wheel behind the library's back.
    desktop.systemParameters.Preset(false, 8);
    EXPECT_FALSE(spi->RequestChange(0, 3, false));
    EXPECT_TRUE(spi->RequestChange(0, 3, true));
    EXPECT_FALSE(spi->RequestChange(0, 3, true));
    ASSERT_TRUE(TimerRestarted());
    desktop.timers.AdvanceAndFire(100);

    const std::vector<Change> changes = Finish();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_TRUE(IsLines(changes[0], 3, kBroadcastAndSave));
    EXPECT_TRUE(spi->Current().m_bForce);
    EXPECT_FALSE(spi->RequestChange(0, 3, true));
}

TEST_F(SystemParametersTest, ProfilesTranslateToTheStateTheyWant) {
    pw::input::SystemMouseDefaults defaults;
    defaults.buttonsSwapped = true;
    defaults.scrollLines = 4;

    CApplicationSettings profile(nullptr, false);
    profile.SetScrollLines(9);
    profile.SetSwapButtons(swapUnchanged);
    pw::input::SystemParameterRequest request = pw::input::RequestForProfile(&profile, defaults);
    EXPECT_EQ(request.swapButtons, 1u); // as the system had it at load
    EXPECT_EQ(request.scrollLines, 9u);
    EXPECT_FALSE(request.force);

    profile.SetSwapButtons(swapNormal);
    profile.SetScrollPages(true);
    profile.SetForceSPIMessage(true);
    request = pw::input::RequestForProfile(&profile, defaults);
    EXPECT_EQ(request.swapButtons, 0u);
    EXPECT_EQ(request.scrollLines, kPage);
    EXPECT_TRUE(request.force);

    profile.SetSwapButtons(swapSwapped);
    EXPECT_EQ(pw::input::RequestForProfile(&profile, defaults).swapButtons, 1u);
    profile.SetSwapButtons(static_cast<swapbuttons>(7));
    EXPECT_EQ(pw::input::RequestForProfile(&profile, defaults).swapButtons, 0u);

    // No profile: the state at load.
    request = pw::input::RequestForProfile(nullptr, defaults);
    EXPECT_EQ(request.swapButtons, 1u);
    EXPECT_EQ(request.scrollLines, 4u);
    EXPECT_FALSE(request.force);
    defaults.pageScroll = true;
    EXPECT_EQ(pw::input::RequestForProfile(nullptr, defaults).scrollLines, kPage);
}

TEST_F(SystemParametersTest, SystemDefaultsReplaceValuesTheSystemCannotMean) {
    desktop.systemParameters.Preset(true, 0, kPage);
    pw::input::SystemMouseDefaults defaults = pw::input::ReadSystemMouseDefaults();
    EXPECT_TRUE(defaults.buttonsSwapped);
    EXPECT_EQ(defaults.scrollLinesRead, 0u);
    EXPECT_EQ(defaults.scrollLines, 3u);
    EXPECT_EQ(defaults.scrollChars, 3u);
    EXPECT_FALSE(defaults.pageScroll);

    desktop.systemParameters.Preset(false, kPage, 5);
    defaults = pw::input::ReadSystemMouseDefaults();
    EXPECT_TRUE(defaults.pageScroll);
    EXPECT_EQ(defaults.scrollChars, 5u);
}

TEST_F(SystemParametersTest, ProfileSwitchesApplyAndRestoreTheSystemState) {
    // Without the thread the request has nowhere to go.
    ApplyProfile();

    desktop.systemParameters.Preset(false, 3);
    pw::CaptureSystemMouseDefaults();
    Start();
    g_pSPIThread = spi.get();

    CApplicationSettings browser(nullptr, false);
    browser.SetScrollLines(10);
    browser.SetSwapButtons(swapSwapped);
    g_pCurrentApp = &browser;
    ApplyProfile();
    ASSERT_TRUE(TimerRestarted());
    desktop.timers.AdvanceAndFire(100);
    ASSERT_TRUE(Taken(10));

    // Away and back within the settle time: nothing to do.
    g_pCurrentApp = nullptr;
    ApplyProfile();
    ASSERT_TRUE(TimerRestarted());
    desktop.timers.AdvanceAndFire(30);
    g_pCurrentApp = &browser;
    ApplyProfile();
    desktop.timers.AdvanceAndFire(100);
    ASSERT_TRUE(TimerStopped());

    // Leaving the profile restores the state found at load.
    g_pCurrentApp = nullptr;
    ApplyProfile();
    ASSERT_TRUE(TimerRestarted());
    desktop.timers.AdvanceAndFire(100);

    const std::vector<Change> changes = Finish();
    ASSERT_EQ(changes.size(), 4u);
    EXPECT_TRUE(IsSwap(changes[0], 1, kBroadcast));
    EXPECT_TRUE(IsLines(changes[1], 10, kBroadcast));
    EXPECT_TRUE(IsSwap(changes[2], 0, kBroadcast));
    EXPECT_TRUE(IsLines(changes[3], 3, kBroadcast));
}

TEST_F(SystemParametersTest, ARestartedThreadPutsBackTheStateFoundAtLoad) {
    desktop.systemParameters.Preset(false, 3);
    pw::CaptureSystemMouseDefaults();
    pw::RestartSPIThread();
    ASSERT_NE(g_pSPIThread, nullptr);

    // Changed behind the library's back; the new thread saves the state at load again.
    desktop.systemParameters.Preset(true, 8);
    pw::RestartSPIThread();
    ASSERT_NE(g_pSPIThread, nullptr);
    EXPECT_NE(g_dwSPIThreadId.load(), 0u);
    ASSERT_TRUE(TimerRestarted());
    desktop.timers.AdvanceAndFire(100);
    pw::DeleteSPIThread();
    EXPECT_EQ(g_pSPIThread, nullptr);
    EXPECT_EQ(g_dwSPIThreadId.load(), 0u);

    const std::vector<Change> changes = desktop.systemParameters.TakeChanges();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_TRUE(IsSwap(changes[0], 0, kBroadcastAndSave));
    EXPECT_TRUE(IsLines(changes[1], 3, kBroadcastAndSave));
    pw::DeleteSPIThread();
}

} // namespace
