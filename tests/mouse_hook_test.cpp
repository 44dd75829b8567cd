#include "hook/library.h"
#include "hook/mouse_hook.h"
#include "platform/sim/simulated_desktop.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "scroll/lock_axis.h"
#include "scroll/scroll_timers.h"
#include "settings/application_settings.h"
#include "settings/folders.h"
#include "settings/settings.h"
#include "support/action_recorder.h"
#include "support/logger.h"
#include "support/thread_lock.h"
#include "support/wait_until.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

using pw::test::ActionRequest;

constexpr unsigned kLButtonDown = 0x201;
constexpr unsigned kLButtonUp = 0x202;
constexpr unsigned kMButtonDown = 0x207;
constexpr unsigned kMouseWheel = 0x20A;
constexpr unsigned kXButtonDown = 0x20B;
constexpr unsigned kMouseHWheel = 0x20E;
constexpr unsigned kMouseMove = 0x200;
constexpr unsigned kNcLButtonDown = 0xA1;
constexpr DWORD kInjected = 0x1;
constexpr DWORD kNotchDown = static_cast<DWORD>(-120) << 16;
constexpr DWORD kNotchUp = DWORD{120} << 16;

class MouseHookTest : public ::testing::Test {
  protected:
    void SetUp() override {
        pw::runtime::RegisterMessages();
        CLogger::EnableDebug(true);
        g_hMouseHook = reinterpret_cast<HHOOK>(uintptr_t{0x5150});
        window = desktop.windows.CreateTopLevel(L"Frame", RECT{0, 0, 1000, 800}, 100);
        desktop.windows.SetForeground(window);
        // The profile of that window is already current, so no detection runs.
        g_pCurrentApp = profile();
        g_hLastWindow = window;
        settings().SetSimKeyDelay(0);
        pw::StopQTTimer(pw::scroll::kVerticalSlot);
    }
    void TearDown() override {
        CLogger::EnableDebug(false);
        pw::StopQTTimer(pw::scroll::kVerticalSlot);
        pw::hook::ResetLibraryState();
    }

    CSettings& settings() { return *g_pSettings; }
    CApplicationSettings* profile() { return g_pSettings->GetDefaultApp(); }

    static MSLLHOOKSTRUCT Event(POINT pt, DWORD time, DWORD data = 0, DWORD flags = 0,
                                uintptr_t extra = 0) {
        return MSLLHOOKSTRUCT{pt, data, flags, time, extra};
    }
    static uintptr_t Marker() { return reinterpret_cast<uintptr_t>(g_hMouseHook); }

    // Runs one event through the hook; true when it was swallowed (1, next hook not called).
    bool Swallowed(unsigned message, MSLLHOOKSTRUCT record) {
        const int before = desktop.input.NextHookCalls();
        const LRESULT result = pw::MouseHookLLProc(0, message, reinterpret_cast<LPARAM>(&record));
        const bool passed = desktop.input.NextHookCalls() != before;
        EXPECT_NE(passed, result == 1) << "message 0x" << std::hex << message;
        return !passed;
    }
    std::vector<ActionRequest> TakeRequests() { return recorder.Take(); }

    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
    pw::test::ActionRecorder recorder;
    HWND window = nullptr;
    const POINT pt{100, 100};
};

TEST_F(MouseHookTest, NegativeCodePassesWithoutTouchingState) {
    MSLLHOOKSTRUCT record = Event(pt, 5000);
    const int before = desktop.input.NextHookCalls();
    EXPECT_EQ(pw::MouseHookLLProc(-1, kLButtonDown, reinterpret_cast<LPARAM>(&record)), 0);
    EXPECT_EQ(desktop.input.NextHookCalls(), before + 1);
    EXPECT_FALSE(g_bButtonDown[mbLeft]);
    EXPECT_FALSE(g_bInputSeen);
    EXPECT_TRUE(TakeRequests().empty());
}

TEST_F(MouseHookTest, BouncedPressIsSwallowedWithItsRelease) {
    settings().put_EnableDebounce(true);
    settings().put_DebounceTime(50);
    EXPECT_FALSE(Swallowed(kLButtonDown, Event(pt, 1000)));
    EXPECT_FALSE(Swallowed(kLButtonUp, Event(pt, 1010)));
    EXPECT_EQ(TakeRequests().size(), 2u);

    // 30 ms after the last press: a bounce, and so is its release; nothing is tracked.
    EXPECT_TRUE(Swallowed(kLButtonDown, Event(pt, 1030)));
    EXPECT_FALSE(g_bButtonDown[mbLeft]);
    EXPECT_TRUE(Swallowed(kLButtonUp, Event(pt, 1040)));
    EXPECT_TRUE(TakeRequests().empty());

    // The next press is measured from the swallowed press; exactly the limit is a bounce.
    EXPECT_TRUE(Swallowed(kLButtonDown, Event(pt, 1080)));
    EXPECT_TRUE(Swallowed(kLButtonUp, Event(pt, 1085)));
    EXPECT_FALSE(Swallowed(kLButtonDown, Event(pt, 1131)));
    EXPECT_FALSE(Swallowed(kLButtonUp, Event(pt, 1140)));
    // An equal or older time stamp is never a bounce.
    EXPECT_FALSE(Swallowed(kLButtonDown, Event(pt, 1131)));
    EXPECT_FALSE(Swallowed(kLButtonDown, Event(pt, 900)));
    // Other buttons keep their own history; injected presses are not de-bounced.
    EXPECT_FALSE(Swallowed(0x204, Event(pt, 905)));
    EXPECT_FALSE(Swallowed(kLButtonDown, Event(pt, 910, 0, kInjected)));
    EXPECT_EQ(TakeRequests().size(), 6u);

    // Measured from the release instead: 45 ms after the release at 2000 is a bounce.
    settings().put_DebounceFromUp(true);
    EXPECT_FALSE(Swallowed(kLButtonDown, Event(pt, 1900)));
    EXPECT_FALSE(Swallowed(kLButtonUp, Event(pt, 2000)));
    EXPECT_TRUE(Swallowed(kLButtonDown, Event(pt, 2045)));
    EXPECT_EQ(g_Debounce[mbLeft].lastTime, 2045u);
}

TEST_F(MouseHookTest, InjectedEventsAreSortedByMarkerAndCount) {
    // Own event while nothing is announced: passed on untouched, count stays 0.
    EXPECT_FALSE(Swallowed(kLButtonDown, Event(pt, 100, 0, kInjected, Marker())));
    EXPECT_EQ(g_nInjectCount, 0);
    EXPECT_TRUE(TakeRequests().empty());
    EXPECT_FALSE(g_bInputSeen);
    EXPECT_TRUE(g_bButtonDown[mbLeft]); // pressed state follows every event

    // Announced events count down whatever their marker says, and are never processed.
    g_nInjectCount = 2;
    EXPECT_FALSE(Swallowed(kLButtonUp, Event(pt, 110, 0, kInjected, 0x77)));
    EXPECT_FALSE(Swallowed(kMouseWheel, Event(pt, 120, kNotchUp, kInjected, Marker())));
    EXPECT_EQ(g_nInjectCount, 0);
    EXPECT_TRUE(TakeRequests().empty());

    // Another program's injection is processed like a real click.
    pw::test::SwallowEveryButton(settings());
    EXPECT_TRUE(Swallowed(kLButtonDown, Event(pt, 130, 0, kInjected, 0x77)));
    std::vector<ActionRequest> requests = TakeRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].button, mbLeft);
    EXPECT_EQ(requests[0].kind, 1);
    EXPECT_TRUE(g_bInputSeen);
}

TEST_F(MouseHookTest, ScrollLockAndRemoteSessionBypassButtonsButNotMovement) {
    settings().SetScrollLockBypass(true);
    desktop.systemInfo.SetKeyState(0x91, 1);
    desktop.clock.SetTickCount(200000);
    EXPECT_FALSE(Swallowed(kLButtonDown, Event(pt, 10)));
    EXPECT_FALSE(Swallowed(kLButtonUp, Event(pt, 15)));
    EXPECT_FALSE(Swallowed(kMouseWheel, Event(pt, 20, kNotchDown)));
    EXPECT_TRUE(TakeRequests().empty());
    EXPECT_EQ(g_dwLastInputTick, 200000u);
    // Movement still feeds the mouse-over timer (no button is held now).
    EXPECT_FALSE(Swallowed(kMouseMove, Event(POINT{300, 300}, 30)));
    EXPECT_TRUE(desktop.timers.IsRunning(0x1015));

    desktop.systemInfo.SetKeyState(0x91, 0);
    settings().SetDisableInRDP(true);
    desktop.systemInfo.remoteSession = true;
    EXPECT_FALSE(Swallowed(kLButtonDown, Event(pt, 40)));
    EXPECT_TRUE(TakeRequests().empty());
    desktop.systemInfo.remoteSession = false;
    EXPECT_FALSE(Swallowed(kLButtonUp, Event(pt, 50)));
    EXPECT_EQ(TakeRequests().size(), 1u);
}

TEST_F(MouseHookTest, SideButtonSwapAndOfficeMouseChooseTheButton) {
    settings().SetSwap4and5(true);
    MSLLHOOKSTRUCT first = Event(pt, 10, DWORD{1} << 16);
    EXPECT_FALSE(Swallowed(kXButtonDown, first));
    std::vector<ActionRequest> requests = TakeRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].button, mbXRight);
    // Pressed state uses the button as the mouse reported it.
    EXPECT_TRUE(g_bButtonDown[mbXLeft]);
    EXPECT_FALSE(g_bButtonDown[mbXRight]);
    // Only X-button numbers 1 and 2 are buttons.
    EXPECT_FALSE(Swallowed(kXButtonDown, Event(pt, 20, DWORD{3} << 16)));
    EXPECT_TRUE(TakeRequests().empty());

    // The RDP variant swaps only in a remote session.
    settings().SetSwap4and5(false);
    settings().SetSwap4and5inRDP(true);
    EXPECT_FALSE(Swallowed(kXButtonDown, Event(pt, 30, DWORD{1} << 16)));
    desktop.systemInfo.remoteSession = true;
    EXPECT_FALSE(Swallowed(kXButtonDown, Event(pt, 40, DWORD{2} << 16)));
    requests = TakeRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].button, mbXLeft);
    EXPECT_EQ(requests[1].button, mbXLeft);
    desktop.systemInfo.remoteSession = false;

    // Office mouse: the marked middle button is the second middle button; tilt passes.
    settings().SetOfficeMouse(true);
    EXPECT_FALSE(Swallowed(kMButtonDown, Event(pt, 50, 0, 0, 0x400)));
    EXPECT_TRUE(g_bButtonDown[mbTiltLeft]);
    EXPECT_FALSE(g_bButtonDown[mbMiddle]);
    pw::test::SwallowEveryButton(settings());
    EXPECT_FALSE(Swallowed(kMouseHWheel, Event(pt, 60, kNotchUp)));
    requests = TakeRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].button, mbTiltLeft);
}

TEST_F(MouseHookTest, ClicksOnTheFrameAreLeftToTheSystem) {
    long answer = 2; // HTCAPTION
    desktop.messages.SetAnswer([&answer](HWND, unsigned message, WPARAM, LPARAM) -> LRESULT {
        return message == 0x84 ? answer : 0;
    });
    settings().SetProcessNonClientMsgs(false);
    pw::test::SwallowEveryButton(settings());
    EXPECT_FALSE(Swallowed(kLButtonDown, Event(pt, 10)));
    EXPECT_FALSE(Swallowed(kMouseWheel, Event(pt, 20, kNotchDown)));
    EXPECT_TRUE(TakeRequests().empty());

    // In the client area, a non-client twin is dispatched like its client message.
    answer = 1;
    EXPECT_TRUE(Swallowed(kNcLButtonDown, Event(pt, 30)));
    std::vector<ActionRequest> requests = TakeRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].button, mbLeft);
    EXPECT_EQ(requests[0].kind, 1);
}

TEST_F(MouseHookTest, WheelNotchesAreThrottledOrRunFast) {
    profile()->SetActions(mbWheelDown, 0, actNoChange);
    settings().SetSimKeyDelay(5);
    pw::test::SwallowEveryButton(settings());
    desktop.clock.SetTickCount(10000);
    EXPECT_TRUE(Swallowed(kMouseWheel, Event(pt, 1, kNotchDown)));
    EXPECT_EQ(desktop.clock.TickCount(), 10005u); // the pause between the halves
    std::vector<ActionRequest> requests = TakeRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].kind, 1);
    EXPECT_FALSE(requests[0].skipWindowCheck);
    EXPECT_EQ(requests[1].kind, 2);
    EXPECT_TRUE(requests[1].skipWindowCheck);
    EXPECT_EQ(g_nLastWheelButton, mbWheelDown);

    // As an action that injected input leaves it: the next notch within 80 ms is dropped.
    g_bThrottleWheel = true;
    desktop.clock.SetTickCount(10050);
    EXPECT_TRUE(Swallowed(kMouseWheel, Event(pt, 2, kNotchDown)));
    EXPECT_TRUE(TakeRequests().empty());

    // 100 ms after: processed as a fast wheel, without window check and without pause.
    desktop.clock.SetTickCount(10100);
    EXPECT_TRUE(Swallowed(kMouseWheel, Event(pt, 3, kNotchDown)));
    EXPECT_EQ(desktop.clock.TickCount(), 10100u);
    requests = TakeRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_TRUE(requests[0].skipWindowCheck);

    // Notches whose action is a click or simulated keys are never throttled; the other
    // direction is not a fast run.
    profile()->SetActions(mbWheelDown, 0, actLeftClick);
    g_bThrottleWheel = true;
    desktop.clock.SetTickCount(10110);
    EXPECT_TRUE(Swallowed(kMouseWheel, Event(pt, 4, kNotchDown)));
    desktop.clock.SetTickCount(10120);
    EXPECT_TRUE(Swallowed(kMouseWheel, Event(pt, 5, kNotchUp)));
    requests = TakeRequests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[2].button, mbWheelUp);
    EXPECT_FALSE(requests[2].skipWindowCheck);

    // Inverted scrolling turns the notch round.
    profile()->SetInvertScrolling(true);
    desktop.clock.SetTickCount(20000);
    EXPECT_TRUE(Swallowed(kMouseWheel, Event(pt, 6, kNotchUp)));
    requests = TakeRequests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests[0].button, mbWheelDown);
}

TEST_F(MouseHookTest, MovingMoreThanTenPixelsEndsTheWheelRun) {
    pw::test::SwallowEveryButton(settings());
    EXPECT_FALSE(Swallowed(kMouseMove, Event(pt, 1)));
    desktop.clock.SetTickCount(10000);
    EXPECT_TRUE(Swallowed(kMouseWheel, Event(pt, 2, kNotchDown)));
    g_bThrottleWheel = true;
    EXPECT_FALSE(Swallowed(kMouseMove, Event(POINT{110, 90}, 3)));
    EXPECT_EQ(g_nLastWheelButton, mbWheelDown);
    EXPECT_FALSE(Swallowed(kMouseMove, Event(POINT{121, 90}, 4)));
    EXPECT_EQ(g_nLastWheelButton, 0);
    EXPECT_EQ(g_dwLastWheelTick, 0u);

    // Neither throttled nor fast now.
    TakeRequests();
    desktop.clock.SetTickCount(10050);
    EXPECT_TRUE(Swallowed(kMouseWheel, Event(POINT{121, 90}, 5, kNotchDown)));
    std::vector<ActionRequest> requests = TakeRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_FALSE(requests[0].skipWindowCheck);
}

TEST_F(MouseHookTest, HeldWheelSendsItsUpHalfLater) {
    profile()->SetIgnoreVScroll(true);
    pw::test::SwallowEveryButton(settings());
    EXPECT_TRUE(Swallowed(kMouseWheel, Event(pt, 1, kNotchUp)));
    std::vector<ActionRequest> requests = TakeRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].kind, 1);
    ASSERT_NE(g_pScrollTimerData, nullptr);
    EXPECT_EQ(g_pScrollTimerData->type, 2);
    EXPECT_EQ(g_pScrollTimerData->button, mbWheelUp);
    EXPECT_TRUE(g_bButtonDown[mbWheelUp]);

    // Further notches only postpone the pending up half.
    EXPECT_TRUE(Swallowed(kMouseWheel, Event(pt, 2, kNotchUp)));
    EXPECT_TRUE(TakeRequests().empty());
    EXPECT_TRUE(pw::StopQTTimer(pw::scroll::kVerticalSlot));
}

TEST_F(MouseHookTest, MovementFeedsMouseOverTimerAndAxisLock) {
    // The library's own movement is not processed.
    EXPECT_FALSE(Swallowed(kMouseMove, Event(pt, 1, 0, kInjected, Marker())));
    EXPECT_FALSE(desktop.timers.IsRunning(0x1015));
    EXPECT_FALSE(g_bInputSeen);

    // No mouse-over check while a button is held.
    g_bButtonDown[mbLeft] = true;
    EXPECT_FALSE(Swallowed(kMouseMove, Event(pt, 2)));
    EXPECT_FALSE(desktop.timers.IsRunning(0x1015));
    g_bButtonDown[mbLeft] = false;
    EXPECT_FALSE(Swallowed(kMouseMove, Event(POINT{150, 160}, 3)));
    EXPECT_TRUE(desktop.timers.IsRunning(0x1015));
    EXPECT_EQ(g_uMouseOverTimer, 0x1015u);

    // A locked axis holds the first coordinate seen and swallows the movement.
    g_LockAxis.LockX(false);
    MSLLHOOKSTRUCT record = Event(POINT{500, 300}, 4);
    EXPECT_EQ(pw::MouseHookLLProc(0, kMouseMove, reinterpret_cast<LPARAM>(&record)), 1);
    record = Event(POINT{510, 320}, 5);
    EXPECT_EQ(pw::MouseHookLLProc(0, kMouseMove, reinterpret_cast<LPARAM>(&record)), 1);
    EXPECT_EQ(record.pt.x, 500);
    EXPECT_EQ(record.pt.y, 320);
    g_LockAxis.Unlock(false);
}

// A freshly loaded library whose global lock another thread holds.
class MouseHookBusyLockTest : public ::testing::Test {
  protected:
    void SetUp() override {
        CLogger::EnableDebug(true);
        holder = std::thread([this] {
            CThreadLock lock(L"Holder");
            held = true;
            while (!release)
                std::this_thread::yield();
        });
        ASSERT_TRUE(pw::test::WaitUntil([this] { return held.load(); }));
    }
    void TearDown() override {
        release = true;
        if (holder.joinable())
            holder.join();
        CLogger::EnableDebug(false);
    }

    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
    std::thread holder;
    std::atomic<bool> held{false};
    std::atomic<bool> release{false};
};

TEST_F(MouseHookBusyLockTest, MovementPassesWithoutWaitingAndItsLogLineIsKept) {
    // The first line of the log reports the busy lock; the log must not wait for the lock
    // either while it finds its file.
    std::atomic<bool> done{false};
    std::thread hook([&] {
        MSLLHOOKSTRUCT record{POINT{5, 5}, 0, 0, 1, 0};
        pw::MouseHookLLProc(0, 0x200, reinterpret_cast<LPARAM>(&record));
        done = true;
    });
    EXPECT_TRUE(pw::test::WaitUntil([&] { return done.load(); }));
    release = true;
    holder.join();
    hook.join();
    EXPECT_EQ(desktop.input.NextHookCalls(), 1);

    Char path[pw::folders::kMaxPath];
    ASSERT_EQ(GetLogFile(path, pw::folders::kMaxPath, false), 0);
    CLogger::FlushLog();
    std::string log;
    ASSERT_TRUE(desktop.files.ReadFile(path, log));
    EXPECT_NE(log.find("Unable to enter critical section in WM_MOUSEMOVE hook as it is locked by "
                       "'Holder'"),
              std::string::npos);
}

} // namespace
