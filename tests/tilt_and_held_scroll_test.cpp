#include "actions/process_button.h"
#include "hook/library.h"
#include "hook/mouse_hook.h"
#include "input/send_input.h"
#include "platform/sim/simulated_desktop.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "scroll/scroll_timers.h"
#include "settings/settings.h"
#include "support/action_recorder.h"
#include "support/logger.h"
#include "support/settings_files.h"
#include "support/thread_lock.h"
#include "support/wait_until.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr unsigned kMouseWheel = 0x20A;
constexpr unsigned kMouseHWheel = 0x20E;
constexpr int kNotch = 120;

// Wheel and tilt events through the mouse hook, with settings from a settings file, the
// sender played on the test's thread and the queue timers fired on the virtual clock.
class TiltAndHeldScroll : public ::testing::Test {
  protected:
    void SetUp() override {
        pw::runtime::RegisterMessages();
        CLogger::EnableDebug(true);
        g_pSendInput = new CSendInput(pw::input::SendInputMode::Manual);
        HWND window = desktop.windows.CreateTopLevel(L"Frame", RECT{0, 0, 1000, 800}, 100);
        desktop.windows.SetForeground(window);
    }
    void TearDown() override {
        delete g_pSendInput;
        g_pSendInput = nullptr;
        pw::hook::ResetLibraryState();
        CLogger::EnableDebug(false);
    }

    // Loads a settings file with options and a default profile of attributes and slots.
    void Load(const std::string& options, const std::string& attributes, const std::string& slots) {
        const std::string xml =
            pw::test::SettingsXml("<SimulatedKeys Delay=\"0\"/>" + options + "<Default " +
                                  attributes + ">" + slots + "</Default>");
        ASSERT_TRUE(desktop.files.WriteFile(pw::test::kSettingsPath, xml));
        ASSERT_TRUE(pw::test::LoadSettings(*g_pSettings));
        CThreadLock lock(L"TiltAndHeldScroll");
        pw::SetCurrentProfile(g_pSettings->GetDefaultApp());
    }

    // One wheel (vertical) or tilt event stamped with the current virtual time; true when
    // the hook swallowed it.
    bool Event(unsigned message, int delta) {
        MSLLHOOKSTRUCT record{POINT{100, 100}, static_cast<DWORD>(delta) << 16, 0,
                              desktop.clock.TickCount(), 0};
        const int before = desktop.input.NextHookCalls();
        pw::MouseHookLLProc(0, message, reinterpret_cast<LPARAM>(&record));
        return desktop.input.NextHookCalls() == before;
    }
    bool Tilt(int delta = kNotch) { return Event(kMouseHWheel, delta); }
    bool Wheel(int delta = kNotch) { return Event(kMouseWheel, delta); }
    void Wait(uint32_t ms) { desktop.timers.AdvanceAndFire(ms); }

    // The event kinds the actions saw since the last call: "1" a press, "2" a release.
    std::string Kinds() {
        std::string kinds;
        for (const pw::test::ActionRequest& request : recorder.Take())
            kinds += std::to_string(request.kind);
        return kinds;
    }
    // Keys injected since the last call: "<vk>+" and "<vk>-" (hex).
    std::string Keys() {
        g_pSendInput->ProcessQueue();
        std::string words;
        for (const auto& record : desktop.input.TakePending()) {
            if (record.type != pw::platform::InputType::Keyboard)
                continue;
            char word[16];
            std::snprintf(word, sizeof word, "%X%c", record.key.vk,
                          record.key.flags & pw::platform::kKeyEventKeyUp ? '-' : '+');
            words += (words.empty() ? "" : " ") + std::string(word);
        }
        return words;
    }
    // The keys and buttons still held: injected keys, and the hook's pressed buttons.
    std::string Held() {
        g_pSendInput->ProcessQueue();
        std::string held;
        for (int vk = 1; vk < 256; ++vk)
            if (desktop.input.AsyncKeyState(vk) & 0x8000)
                held += "vk" + std::to_string(vk) + " ";
        for (size_t button = 0; button < g_bButtonDown.size(); ++button)
            if (g_bButtonDown[button])
                held += "button" + std::to_string(button) + " ";
        return held;
    }
    bool Logged(StringView text) { return desktop.diagnostics.DebugOutputContains(text); }

    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
    pw::test::ActionRecorder recorder;
};

constexpr const char* kFilterOn =
    "<FixTiltRepeat Enable=\"true\" InitialDelay=\"200\" RepeatDelay=\"100\"/>";
constexpr const char* kFilterOff =
    "<FixTiltRepeat Enable=\"false\" InitialDelay=\"200\" RepeatDelay=\"100\"/>";
constexpr const char* kTiltRightDisabled = "<TiltRight action=\"6\"/>";

TEST_F(TiltAndHeldScroll, RepeatFilterTellsRepeatsFromNewTiltsByTheirSpacing) {
    Load(kFilterOn, "", kTiltRightDisabled);
    struct Step {
        uint32_t gap;
        bool isNew;
        const Char* reason;
    };
    // R = 100: a burst's first repeat comes 90 to 150 ms after its opening message, the
    // later ones at most 200 ms apart; equal time stamps always repeat.
    const Step steps[] = {
        {0, true, L"Same but "},
        {80, true, L"Same but 80ms not within 10% of initial repeat, so fast enough"},
        {90, false, L"Same and 90ms within 10% of initial repeat"},
        {200, false, L"Different but 200ms fast enough to be a repeat message"},
        {201, true, L"Different but 201ms slower than 2 * repeat delay"},
        {151, true, L"Same but 151ms slower than initial repeat + 10% so slow enough"},
        {95, false, L"Same and 95ms within 10% of initial repeat"},
        {150, false, L"Different but 150ms fast enough"},
        {0, false, L"Different but time difference between messages is 0ms"},
        {201, true, L"Different but 201ms slower"},
        {0, false, L"Same and time difference between messages is 0ms"},
        {150, false, L"Same and 150ms within 10% of initial repeat"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "gap " << step.gap);
        Wait(step.gap);
        desktop.diagnostics.ClearDebugLines();
        EXPECT_TRUE(Tilt());
        EXPECT_TRUE(Logged(step.reason));
        EXPECT_TRUE(Logged(step.isNew ? L"    Allow tilt (DiffFirst " : L"    Ignore tilt repeat"));
        EXPECT_EQ(Kinds(), step.isNew ? "12" : "");
    }

    // Without the filter every tilt reaches its action, however close.
    Load(kFilterOff, "", kTiltRightDisabled);
    for (uint32_t gap : {0u, 0u, 95u, 150u, 10u}) {
        Wait(gap);
        EXPECT_TRUE(Tilt());
    }
    EXPECT_EQ(Kinds(), "1212121212");
}

TEST_F(TiltAndHeldScroll, HeldTiltSendsItsUpHalfOnceTheTiltIsQuiet) {
    // Shift is held while the tilt is.
    Load(kFilterOff, "IgnoreHScroll=\"true\" IgnoreHScrollTime=\"300\"",
         "<TiltRight action=\"28\" keys=\"{SHIFT}\" keyaction=\"2\"/>");
    EXPECT_TRUE(Tilt());
    EXPECT_EQ(Keys(), "A0+");
    EXPECT_EQ(Kinds(), "1");
    EXPECT_TRUE(g_bButtonDown[mbTiltRight]);
    // The first wait is the repeat delay plus the profile's time.
    Wait(399);
    EXPECT_EQ(Keys(), "");
    Wait(1);
    EXPECT_EQ(Keys(), "A0-");
    EXPECT_TRUE(Logged(L"HScrollTimerCallback: Processing simulated button up."));
    EXPECT_EQ(Kinds(), "2");
    EXPECT_EQ(Held(), "");

    // A burst: each message only postpones the up half, to 300 ms after the last one.
    EXPECT_TRUE(Tilt());
    for (int i = 0; i < 4; ++i) {
        Wait(100);
        EXPECT_TRUE(Tilt());
    }
    EXPECT_EQ(Keys(), "A0+");
    EXPECT_EQ(Kinds(), "1");
    Wait(299);
    EXPECT_EQ(Keys(), "");
    Wait(1);
    EXPECT_EQ(Keys(), "A0-");
    EXPECT_EQ(Held(), "");
    EXPECT_EQ(desktop.queueTimers.PendingCount(), 0u);
}

TEST_F(TiltAndHeldScroll, HeldWheelReleasesItsKeysWhenTheWheelStops) {
    Load(kFilterOff, "IgnoreVScroll=\"true\" IgnoreVScrollTime=\"200\"",
         "<WheelUp action=\"28\" keys=\"{SHIFT}\" keyaction=\"2\"/>");
    EXPECT_TRUE(Wheel());
    Wait(150);
    EXPECT_TRUE(Wheel());
    EXPECT_EQ(Keys(), "A0+");
    Wait(199);
    EXPECT_EQ(Keys(), "");
    Wait(1);
    EXPECT_EQ(Keys(), "A0-");
    EXPECT_TRUE(Logged(L"VScrollTimerCallback: Processing simulated button up."));
    EXPECT_EQ(Held(), "");

    // The next notch is a new press, not swallowed without its action.
    EXPECT_TRUE(Wheel());
    EXPECT_EQ(Keys(), "A0+");
    Wait(200);
    EXPECT_EQ(Keys(), "A0-");
}

TEST_F(TiltAndHeldScroll, TimerFiringAfterItsRecordWasReplacedLosesNoRelease) {
    Load(kFilterOff,
         "IgnoreHScroll=\"true\" IgnoreHScrollTime=\"300\" IgnoreVScroll=\"true\" "
         "IgnoreVScrollTime=\"200\"",
         "<TiltRight action=\"28\" keys=\"{CTRL}\" keyaction=\"2\"/>"
         "<WheelUp action=\"28\" keys=\"{SHIFT}\" keyaction=\"2\"/>");
    EXPECT_TRUE(Tilt());
    EXPECT_EQ(Keys(), "A2+");

    // The tilt's timer fires while the hook thread holds the lock; meanwhile a held wheel
    // replaces the tilt's record.
    std::thread timers;
    {
        CThreadLock lock(L"HookThread");
        timers = std::thread([this] { Wait(400); });
        ASSERT_TRUE(pw::test::WaitUntil(
            [this] { return Logged(L"Unable to enter critical section for lock 'StopQTTimer'"); }));
        EXPECT_TRUE(Wheel());
    }
    timers.join();
    // The tilt was released when the wheel took over; the late callback found the wheel's
    // record and left it to the wheel's own timer.
    EXPECT_EQ(Keys(), "A0+ A2-");
    EXPECT_TRUE(Logged(L"HScrollTimerCallback: Unable to stop HScrollTimer."));
    Wait(199);
    EXPECT_EQ(Keys(), "");
    Wait(1);
    EXPECT_EQ(Keys(), "A0-");
    EXPECT_EQ(Held(), "");
}

// Random runs of wheel and tilt events, under every combination of the filter and the two
// held-scroll options: once the mouse has been quiet for a second nothing is held.
TEST_F(TiltAndHeldScroll, AnyWheelAndTiltSequenceEndsWithNothingHeld) {
    const std::string slots = "<TiltLeft action=\"28\" keys=\"{ALT}\" keyaction=\"2\"/>"
                              "<TiltRight action=\"28\" keys=\"{CTRL}\" keyaction=\"2\"/>"
                              "<WheelUp action=\"28\" keys=\"{SHIFT}\" keyaction=\"2\"/>"
                              "<WheelDown action=\"28\" keys=\"{LWIN}\" keyaction=\"2\"/>";
    std::mt19937 random(20260114);
    for (int options = 0; options < 8; ++options) {
        const auto flag = [options](int bit) { return options & bit ? "\"true\"" : "\"false\""; };
        Load(std::string("<FixTiltRepeat Enable=") + flag(1) + " RepeatDelay=\"100\"/>",
             std::string("IgnoreHScroll=") + flag(2) + " IgnoreHScrollTime=\"300\" IgnoreVScroll=" +
                 flag(4) + " IgnoreVScrollTime=\"200\"",
             slots);
        for (int run = 0; run < 20; ++run) {
            std::string trace;
            for (int event = 0; event < 12; ++event) {
                const uint32_t gap = std::uniform_int_distribution<uint32_t>(0, 450)(random);
                const int kind = std::uniform_int_distribution<int>(0, 3)(random);
                Wait(gap);
                const int delta = kind % 2 ? -kNotch : kNotch;
                Event(kind < 2 ? kMouseWheel : kMouseHWheel, delta);
                trace += std::to_string(gap) + (kind < 2 ? "w" : "t") + std::to_string(delta) + " ";
            }
            Wait(1000);
            ASSERT_EQ(Held(), "") << "options " << options << ": " << trace;
            ASSERT_EQ(desktop.queueTimers.PendingCount(), 0u) << trace;
            ASSERT_EQ(g_pScrollTimerData, nullptr) << trace;
            Keys();
        }
    }
}

// The simulated timer queue: callbacks on a thread of their own, in time order with the
// thread timers, and deletion that never waits.
TEST(SimQueueTimers, FireInTimeOrderWithThreadTimersOnTheirOwnThread) {
    pw::sim::SimulatedDesktop desktop;
    static std::vector<std::string> order;
    static std::thread::id callbackThread;
    static pw::sim::SimulatedDesktop* current = nullptr;
    order.clear();
    current = &desktop;
    const uint32_t start = desktop.clock.TickCount();
    const auto callback = [](void* parameter, unsigned char fired) {
        callbackThread = std::this_thread::get_id();
        order.push_back("q" + std::to_string(reinterpret_cast<intptr_t>(parameter)) + "@" +
                        std::to_string(current->clock.TickCount()) + (fired ? "" : "!"));
    };
    pw::platform::QueueTimers& queue = desktop.GetQueueTimers();
    HANDLE late = queue.Create(250, callback, reinterpret_cast<void*>(2));
    HANDLE early = queue.Create(100, callback, reinterpret_cast<void*>(1));
    HANDLE cancelled = queue.Create(50, callback, reinterpret_cast<void*>(3));
    ASSERT_TRUE(late && early && cancelled);
    EXPECT_TRUE(queue.Delete(cancelled));
    desktop.timers.SetTimer(7, 100, [](HWND, unsigned, uintptr_t id, unsigned long) {
        order.push_back("t" + std::to_string(id) + "@" +
                        std::to_string(current->clock.TickCount()));
    });
    EXPECT_EQ(desktop.timers.NextDueIn(), 100);

    desktop.timers.AdvanceAndFire(300);
    const auto at = [start](uint32_t ms) { return "@" + std::to_string(start + ms); };
    EXPECT_EQ(order, (std::vector<std::string>{"t7" + at(100), "q1" + at(100), "t7" + at(200),
                                               "q2" + at(250), "t7" + at(300)}));
    EXPECT_NE(callbackThread, std::this_thread::get_id());
    // A fired one-shot timer lives until it is deleted; an unknown handle is an error.
    EXPECT_EQ(desktop.queueTimers.LiveCount(), 2u);
    EXPECT_TRUE(queue.Delete(early));
    EXPECT_FALSE(queue.Delete(early));
    EXPECT_EQ(desktop.diagnostics.LastError(), pw::platform::kErrorInvalidHandle);
    current = nullptr;
}

} // namespace
