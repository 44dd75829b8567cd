#include "actions/action_state.h"
#include "actions/mouse_over_switch.h"
#include "actions/process_button.h"
#include "hook/hook_control.h"
#include "hook/hook_lifecycle.h"
#include "hook/library.h"
#include "hook/settings_reload.h"
#include "hook/timer_thread.h"
#include "platform/sim/simulated_desktop.h"
#include "runtime/registered_messages.h"
#include "runtime/reset_hook_timer.h"
#include "runtime/runtime_state.h"
#include "runtime/thread_timers.h"
#include "settings/application_settings.h"
#include "settings/chord.h"
#include "settings/folders.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/settings_files.h"
#include "support/wait_until.h"
#include "windows/mouse_over.h"

#include "support/thread_lock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The timer thread writes the timer ids under the global lock; the test reads them so too.
pw::runtime::TimerId Locked(const pw::runtime::TimerId& id) {
    CThreadLock lock(L"TimerServiceTest");
    return id;
}

using namespace pw::hook;
using namespace pw::runtime;
using pw::test::WaitUntil;

// What the timer procedures saw: "<kind>@<virtual ms>".
std::vector<std::string> g_fired;
uint32_t g_start = 0;

void Record(const char* name, unsigned long time) {
    g_fired.push_back(std::string(name) + "@" + std::to_string(time - g_start));
}
void KeySwitchProc(HWND, unsigned, uintptr_t, unsigned long time) {
    Record("key", time);
}
void RepeatProc(HWND, unsigned, uintptr_t, unsigned long time) {
    Record("repeat", time);
}
void AutoSwitchProc(HWND, unsigned, uintptr_t, unsigned long time) {
    Record("auto", time);
}

class TimerServiceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterMessages();
        CLogger::EnableDebug(true);
        g_fired.clear();
        g_start = desktop.clock.TickCount();
    }
    void TearDown() override {
        StopTimerThread();
        CLogger::EnableDebug(false);
    }

    void StartTimerThread() {
        uint32_t error = 0;
        ASSERT_TRUE(TimerThread().Start(TimerThreadWork(), error));
        ASSERT_NE(g_dwTimerThreadId, 0u);
    }
    // Ends the thread once it has handled everything posted before; its exit code.
    unsigned long StopTimerThread() {
        if (!TimerThread().Exists())
            return 0;
        desktop.messages.PostThreadMessage(g_dwTimerThreadId, Messages().resetHook, kWpQuit, 0);
        unsigned long code = 0;
        EXPECT_EQ(TimerThread().Join(&code), pw::MessageThread::Joined::Exited);
        return code;
    }
    bool Logged(StringView text) const { return desktop.diagnostics.DebugOutputContains(text); }

    pw::sim::SimulatedDesktop desktop;
    LibraryScope library;
};

TEST_F(TimerServiceTest, RequestsFromOtherThreadsRunOnTheTimerThreadInDueOrder) {
    StartTimerThread();
    // Posted, not started here: the timer thread stores the ids.
    EXPECT_EQ(pw::SetThreadTimer(kRepeatTimer, 300, RepeatProc), 0u);
    EXPECT_EQ(pw::SetThreadTimer(kAutoSwitchTimer, 100, AutoSwitchProc), 0u);
    EXPECT_EQ(pw::SetThreadTimer(kKeySwitchTimer, 200, KeySwitchProc), 0u);
    ASSERT_TRUE(WaitUntil([] { return Locked(g_uKeySwitchTimer) != 0; }));
    EXPECT_EQ(Locked(g_uRepeatTimer), kRepeatTimer);
    EXPECT_EQ(Locked(g_uAutoSwitchTimer), kAutoSwitchTimer);

    desktop.timers.AdvanceAndFire(300);
    EXPECT_EQ(g_fired, (std::vector<std::string>{"auto@100", "key@200", "auto@200", "repeat@300",
                                                 "auto@300"}));

    // Stopped before it is due, a timer never fires; restarted, it counts from now.
    g_fired.clear();
    pw::KillThreadTimer(kKeySwitchTimer);
    pw::SetThreadTimer(kRepeatTimer, 50, RepeatProc);
    ASSERT_TRUE(WaitUntil([&] { return desktop.timers.DueIn(kRepeatTimer) == 50; }));
    EXPECT_FALSE(desktop.timers.IsRunning(kKeySwitchTimer));
    EXPECT_EQ(Locked(g_uKeySwitchTimer), 0u);
    pw::KillThreadTimer(kAutoSwitchTimer);
    ASSERT_TRUE(WaitUntil([] { return Locked(g_uAutoSwitchTimer) == 0; }));
    desktop.timers.AdvanceAndFire(200);
    EXPECT_EQ(g_fired,
              (std::vector<std::string>{"repeat@350", "repeat@400", "repeat@450", "repeat@500"}));
}

TEST_F(TimerServiceTest, MouseOverIsNotRestartedAndScrollLineAndUnknownKindsAreRefused) {
    StartTimerThread();
    pw::SetThreadTimer(kMouseOverTimer, 150, AutoSwitchProc);
    ASSERT_TRUE(WaitUntil([] { return Locked(g_uMouseOverTimer) != 0; }));
    desktop.timers.AdvanceAndFire(100);
    pw::SetThreadTimer(kMouseOverTimer, 150, AutoSwitchProc);
    pw::SetThreadTimer(kScrollLineTimer, 100, RepeatProc);
    pw::SetThreadTimer(0x1020, 100, RepeatProc);
    // Requests are handled in order: once this one is in, the ones before it are done.
    pw::SetThreadTimer(kRepeatTimer, 500, RepeatProc);
    ASSERT_TRUE(WaitUntil([] { return Locked(g_uRepeatTimer) != 0; }));

    EXPECT_EQ(desktop.timers.DueIn(kMouseOverTimer), 50);
    EXPECT_FALSE(desktop.timers.IsRunning(kScrollLineTimer));
    EXPECT_FALSE(desktop.timers.IsRunning(0x1020));
    EXPECT_TRUE(Logged(L"Invalid call to Set Scroll Line Timer on the Timer Thread (should use SPI "
                       L"Thread)"));
}

TEST_F(TimerServiceTest, QuitStopsEveryTimerAndLaterRequestsRunOnTheCaller) {
    StartTimerThread();
    const unsigned long timerThreadId = g_dwTimerThreadId;
    EXPECT_EQ(desktop.threads.NameOf(timerThreadId), "VESK Timer Thread");
    EXPECT_EQ(desktop.threads.PriorityOf(timerThreadId), 1);
    pw::SetThreadTimer(kRepeatTimer, 300, RepeatProc);
    pw::SetThreadTimer(kActivateTimer, 300, RepeatProc);
    pw::SetThreadTimer(kJigglerTimer, 10000, RepeatProc);
    ASSERT_TRUE(WaitUntil([] { return Locked(g_uJigglerTimer) != 0; }));
    EXPECT_EQ(desktop.timers.RunningCount(), 3u);

    EXPECT_EQ(StopTimerThread(), 1u);
    EXPECT_EQ(g_dwTimerThreadId, 0u);
    EXPECT_EQ(desktop.timers.RunningCount(), 0u);
    EXPECT_EQ(Locked(g_uRepeatTimer), 0u);
    EXPECT_EQ(Locked(g_uActivateTimer), 0u);
    EXPECT_EQ(Locked(g_uJigglerTimer), 0u);
    EXPECT_TRUE(Logged(L"Removing and active VESKHook Timers..."));

    // Without a timer thread the caller gets the timer itself.
    EXPECT_EQ(pw::SetThreadTimer(kRepeatTimer, 100, RepeatProc), kRepeatTimer);
    EXPECT_EQ(Locked(g_uRepeatTimer), kRepeatTimer);
    desktop.timers.AdvanceAndFire(100);
    EXPECT_EQ(g_fired, std::vector<std::string>{"repeat@100"});
    pw::KillThreadTimer(kRepeatTimer);
    EXPECT_EQ(Locked(g_uRepeatTimer), 0u);
    EXPECT_EQ(desktop.timers.RunningCount(), 0u);
}

TEST_F(TimerServiceTest, HookResetTimerReinstallsTheHooksThroughTheHookThread) {
    ASSERT_TRUE(SetMouseHook());
    ASSERT_TRUE(WaitUntil([&] { return desktop.hooks.InstallCount() == 2; }));
    pw::SetThreadTimer(kResetHookTimer, 20000, pw::ResetHookTimerProc);
    ASSERT_TRUE(WaitUntil([] { return Locked(g_uResetHookTimer) != 0; }));

    desktop.timers.AdvanceAndFire(20000);
    EXPECT_TRUE(Logged(L"ResetHookTimerProc: Re-installing VESK hooks."));
    ASSERT_TRUE(WaitUntil([&] { return desktop.hooks.InstallCount() == 4; }));
    EXPECT_EQ(Locked(g_uResetHookTimer), 0u);
    EXPECT_FALSE(desktop.timers.IsRunning(kResetHookTimer));
    EXPECT_EQ(desktop.hooks.InstalledHooks().size(), 2u);
    EXPECT_TRUE(RemoveMouseHook(false));
}

TEST_F(TimerServiceTest, MouseOverTimerStopsWhenItFires) {
    StartTimerThread();
    pw::SetThreadTimer(kMouseOverTimer, kMouseOverDelayMs, pw::ProcessMouseOverTimerProc);
    ASSERT_TRUE(WaitUntil([] { return Locked(g_uMouseOverTimer) != 0; }));
    {
        // The timer thread handles nothing the procedure may ask of it until it returned.
        CThreadLock lock(L"TimerServiceTest");
        desktop.timers.AdvanceAndFire(kMouseOverDelayMs);
    }
    // Requests are handled in order: once this one is in, any the procedure made are done.
    pw::SetThreadTimer(kRepeatTimer, 500, RepeatProc);
    ASSERT_TRUE(WaitUntil([] { return Locked(g_uRepeatTimer) != 0; }));
    EXPECT_FALSE(desktop.timers.IsRunning(kMouseOverTimer));
    EXPECT_EQ(Locked(g_uMouseOverTimer), 0u);
    desktop.timers.AdvanceAndFire(1000);
    EXPECT_FALSE(desktop.timers.IsRunning(kMouseOverTimer));
}

TEST_F(TimerServiceTest, ATimerThePausedClockPassedFiresOnceAtTheNextAdvance) {
    // Without a timer thread the timer runs on the calling thread's desktop timers.
    pw::SetThreadTimer(kRepeatTimer, 100, RepeatProc);
    // Played input pauses move the clock on without firing anything.
    desktop.clock.SetTickCount(g_start + 250);
    desktop.timers.AdvanceAndFire(10);
    // Late, it fires at once, once, and keeps its period from then.
    EXPECT_EQ(g_fired, (std::vector<std::string>{"repeat@250"}));
    desktop.timers.AdvanceAndFire(100);
    EXPECT_EQ(g_fired, (std::vector<std::string>{"repeat@250", "repeat@350"}));
    pw::KillThreadTimer(kRepeatTimer);
}

// Settings files in the library's settings folder.
class SettingsReloadTest : public TimerServiceTest {
  protected:
    void SetUp() override {
        TimerServiceTest::SetUp();
        Char folder[pw::folders::kMaxPath] = {};
        ASSERT_EQ(GetSettingsFolder(folder, pw::folders::kMaxPath), 0);
        path = String(folder) + pw::folders::kSettingsFileName;
    }
    void Write(const std::string& bytes) { ASSERT_TRUE(desktop.files.WriteFile(path, bytes)); }
    // Default profile and two application profiles; a.exe's left button does leftAction.
    static std::string Profiles(int leftAction) {
        return pw::test::SettingsXml(
            "<Default><Left action=\"8\"/></Default><Applications><Application Name=\"a.exe\">"
            "<Left action=\"" +
            std::to_string(leftAction) +
            "\"/></Application><Application Name=\"b.exe\"/></Applications>");
    }
    static constexpr const char* kBroken = "<?xml version=\"1.0\"?>\n<root><Default>";
    static int LeftOf(const CApplicationSettings* profile) {
        return profile->GetActions(static_cast<MouseButtons>(0), 0);
    }

    String path;
};

TEST_F(SettingsReloadTest, ReloadKeepsTheCurrentProfileByName) {
    Write(Profiles(9));
    // Without a current profile there is none to keep: the next event finds one.
    ASSERT_TRUE(pw::hook::LoadSettings());
    EXPECT_EQ(g_pCurrentApp, nullptr);
    pw::SetCurrentProfile(g_pSettings->GetApplication(L"a.exe"));
    ASSERT_NE(g_pCurrentApp, nullptr);
    EXPECT_EQ(LeftOf(g_pCurrentApp), 9);

    // A chord being played points into the old profiles: it ends with the reload.
    CVESKChords chords;
    g_pCurrentChord = chords.GetChord(mbLeft);
    Write(Profiles(10));
    ASSERT_TRUE(pw::hook::LoadSettings());
    EXPECT_EQ(g_pCurrentChord, nullptr);
    ASSERT_NE(g_pCurrentApp, nullptr);
    EXPECT_STREQ(g_pCurrentApp->GetFullName(), L"a.exe");
    EXPECT_EQ(g_pCurrentApp, g_pSettings->GetApplication(L"a.exe"));
    EXPECT_EQ(LeftOf(g_pCurrentApp), 10);
    EXPECT_EQ(desktop.threads.ProcessPriorityClass(),
              static_cast<unsigned long>(g_pSettings->CPUPriority()));

    // The default profile stays current as the default, and a vanished one leaves none.
    pw::SetCurrentProfile(g_pSettings->GetDefaultApp());
    ASSERT_TRUE(pw::hook::LoadSettings());
    EXPECT_EQ(g_pCurrentApp, g_pSettings->GetDefaultApp());
    pw::SetCurrentProfile(g_pSettings->GetApplication(L"b.exe"));
    Write(pw::test::SettingsXml("<Default/><Applications/>"));
    ASSERT_TRUE(pw::hook::LoadSettings());
    EXPECT_EQ(g_pCurrentApp, nullptr);
    EXPECT_TRUE(desktop.dialogs.ShownBoxes().empty());
}

TEST_F(SettingsReloadTest, BrokenFileAsksOnTheFirstLoadOnlyAndKeepsTheOldSettings) {
    // A missing file is only logged, and leaves the first load to come.
    EXPECT_FALSE(pw::hook::LoadSettings());
    EXPECT_TRUE(Logged(L"Unable to find the settings file 'VESKSettings.xml' in: '"));
    EXPECT_TRUE(Logged(L"HookDLL: Unable to load XML settings"));
    EXPECT_TRUE(desktop.dialogs.ShownBoxes().empty());

    // On the first load the user may retry; Ignore gives up.
    Write(kBroken);
    desktop.dialogs.ScriptAnswer(4); // Retry
    desktop.dialogs.ScriptAnswer(5); // Ignore
    EXPECT_FALSE(pw::hook::LoadSettings());
    const auto boxes = desktop.dialogs.ShownBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_EQ(boxes[0].caption, L"Pallawick");
    EXPECT_EQ(boxes[0].style, 0x2u | pw::platform::kMbIconError);
    EXPECT_EQ(
        boxes[0].text,
        L"An error occurred while parsing the XML settings file.\nYour settings have not been "
        L"loaded.\n\nPress Abort to quit Pallawick and fix your settings file before "
        L"continuing or you may loose your settings!");
    EXPECT_TRUE(Logged(L"LoadXMLSettings: User selected ignore."));
    EXPECT_TRUE(Logged(L"LoadXMLSettings: Error parsing XML file '" + path + L"'."));

    // Later loads only log; the settings and profile in force stay.
    Write(Profiles(9));
    ASSERT_TRUE(pw::hook::LoadSettings());
    pw::SetCurrentProfile(g_pSettings->GetApplication(L"a.exe"));
    const CApplicationSettings* current = g_pCurrentApp;
    desktop.dialogs.Clear();
    Write(kBroken);
    EXPECT_FALSE(pw::hook::LoadSettings());
    EXPECT_TRUE(desktop.dialogs.ShownBoxes().empty());
    EXPECT_EQ(g_pCurrentApp, current);
    EXPECT_EQ(LeftOf(g_pCurrentApp), 9);
    EXPECT_EQ(g_pSettings->GetApplicationCount(), 2);

    // Abort ends the process.
    g_bFirstSettingsLoad = true;
    desktop.dialogs.ScriptAnswer(3);
    EXPECT_FALSE(pw::hook::LoadSettings());
    EXPECT_TRUE(Logged(L"LoadXMLSettings: User selected abort."));
    EXPECT_EQ(desktop.threads.ExitRequests(), std::vector<unsigned>{1});
}

} // namespace
