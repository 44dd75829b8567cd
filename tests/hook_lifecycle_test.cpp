#include "actions/layers.h"
#include "hook/flag_functions.h"
#include "hook/hook_control.h"
#include "hook/keyboard_hook.h"
#include "hook/library.h"
#include "hook/mouse_hook.h"
#include "hook/mouse_hook_paths.h"
#include "hook/settings_reload.h"
#include "input/english_layout.h"
#include "input/send_input.h"
#include "input/spi_thread.h"
#include "input/system_mouse_defaults.h"
#include "platform/keyboard_layout.h"
#include "platform/sim/simulated_desktop.h"
#include "platform/sim/us_keyboard_layout.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "scroll/lock_axis_api.h"
#include "settings/settings.h"
#include "support/action_recorder.h"
#include "support/logger.h"
#include "support/settings_files.h"
#include "support/wait_until.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

using Kind = pw::platform::Hooks::Kind;
using Change = pw::sim::SimParameterChange;
using pw::platform::SystemParameters;
using pw::test::WaitUntil;

size_t ProcessThreadCount() {
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/task"))
        ++count;
    return count;
}

// The US layout's key mapping with a scripted list of installed layouts and a loader
// that records what it was asked for.
class ScriptedLayouts final : public pw::platform::KeyboardLayout {
  public:
    using Handle = pw::platform::KeyboardLayoutHandle;

    int16_t VkKeyScan(Char c) override { return us_.VkKeyScan(c); }
    int16_t VkKeyScanEx(Char c, Handle layout) override { return us_.VkKeyScanEx(c, layout); }
    uint32_t OemKeyScan(uint16_t oemChar) override { return us_.OemKeyScan(oemChar); }
    unsigned MapVirtualKeyEx(unsigned code, unsigned mapType, Handle layout) override {
        return us_.MapVirtualKeyEx(code, mapType, layout);
    }
    int8_t CharToOem(Char c) override { return us_.CharToOem(c); }
    Handle CurrentLayout() override { return installed.empty() ? nullptr : installed[0]; }
    int InstalledLayouts(Handle* layouts, int capacity) override {
        int count = 0;
        for (Handle layout : installed)
            if (count < capacity)
                layouts[count++] = layout;
        return count;
    }
    Handle LoadLayout(const Char* id, unsigned flags) override {
        loads.emplace_back(id);
        loadFlags = flags;
        return loadable;
    }
    bool UnloadLayout(Handle layout) override {
        unloads.push_back(layout);
        return true;
    }

    std::vector<Handle> installed;
    Handle loadable = nullptr;
    std::vector<String> loads;
    unsigned loadFlags = 0;
    std::vector<Handle> unloads;

  private:
    pw::platform::UsKeyboardLayout us_;
};

pw::platform::KeyboardLayoutHandle Layout(uintptr_t value) {
    return reinterpret_cast<pw::platform::KeyboardLayoutHandle>(value);
}

class HookLifecycleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        pw::runtime::RegisterMessages();
        CLogger::EnableDebug(true);
        pw::sim::SimWindowSpec spec;
        spec.className = L"VESKMain";
        mainWindow = desktop.windows.Create(spec);
        SetHookMainWindow(mainWindow);
    }
    void TearDown() override {
        RemoveMouseHook(false);
        CLogger::EnableDebug(false);
    }

    // Starts the threads and waits until the hook thread has tried to set its hooks: it
    // tells the main window then, as the clean-up of threads it replaces does.
    void Hook() {
        const size_t expected = MainWindowNotes() + (g_dwHookThreadId != 0 ? 2 : 1);
        ASSERT_TRUE(SetMouseHook());
        ASSERT_TRUE(WaitUntil([&] { return MainWindowNotes() == expected; }));
        notesSeen = expected;
    }
    size_t MainWindowNotes() const {
        const unsigned id = desktop.messages.RegisteredId(L"VESKMainWindow");
        size_t count = 0;
        for (const pw::sim::SimMessage& message : desktop.messages.Recorded())
            if (message.window == mainWindow && message.message == id)
                ++count;
        return count;
    }
    bool Logged(StringView text) const { return desktop.diagnostics.DebugOutputContains(text); }
    // Waits until the hook thread has handled everything posted to it before: it handles
    // its messages in order, and a mouse-hook reinstallation is visible from outside.
    bool HookThreadCaughtUp() {
        const size_t installs = desktop.hooks.InstallCount();
        desktop.messages.PostThreadMessage(g_dwHookThreadId, pw::runtime::Messages().resetHook,
                                           pw::runtime::kWpMouseHook, 0);
        if (!WaitUntil([&] { return desktop.hooks.InstallCount() > installs; }))
            return false;
        // The reinstallation holds the global lock until it has logged; this waits for it.
        GetHooked();
        return true;
    }

    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
    HWND mainWindow = nullptr;
    size_t notesSeen = 0;
};

TEST_F(HookLifecycleTest, StartStopCyclesLeaveNoThreadsHooksOrWorkers) {
    const size_t threadsBefore = ProcessThreadCount();
    for (int cycle = 0; cycle < 3; ++cycle) {
        SCOPED_TRACE(cycle);
        Hook();
        EXPECT_NE(g_dwHookThreadId, 0u);
        EXPECT_NE(g_dwTimerThreadId, 0u);
        EXPECT_NE(g_pSendInput, nullptr);
        EXPECT_NE(g_pSPIThread, nullptr);
        EXPECT_TRUE(GetHooked());
        // The mouse hook, then the keyboard hook, both on the hook thread.
        ASSERT_EQ(desktop.hooks.InstalledHooks().size(), 2u);
        EXPECT_EQ(desktop.hooks.InstalledHooks()[0].handle, g_hMouseHook);
        EXPECT_EQ(desktop.hooks.InstalledHooks()[0].proc, &pw::MouseHookLLProc);
        EXPECT_EQ(desktop.hooks.InstalledHooks()[0].threadId, g_dwHookThreadId);
        EXPECT_EQ(desktop.hooks.InstalledHooks()[1].handle, g_hKeyboardHook);
        EXPECT_EQ(desktop.hooks.InstalledHooks()[1].proc, &pw::KeyHookLLProc);
        EXPECT_EQ(desktop.hooks.InstalledHooks()[1].threadId, g_dwHookThreadId);
        EXPECT_EQ(desktop.threads.PriorityOf(g_dwHookThreadId), 15);
        EXPECT_EQ(desktop.threads.PriorityOf(g_dwTimerThreadId), 1);
        EXPECT_EQ(desktop.threads.NameOf(g_dwHookThreadId), "VESK Hook Thread");
        EXPECT_EQ(desktop.threads.NameOf(g_dwTimerThreadId), "VESK Timer Thread");
        EXPECT_EQ(desktop.threads.NameOf(desktop.messages.CurrentThreadId()), "VESK Main Thread");
        // The hook thread's workers name themselves; the system-parameter thread runs at
        // normal priority.
        EXPECT_TRUE(WaitUntil([&] {
            return desktop.threads.NameOf(g_pSendInput->ThreadId()) == "VESK Send Input Thread";
        }));
        const unsigned long spiThread = g_dwSPIThreadId;
        EXPECT_TRUE(WaitUntil([&] {
            return desktop.threads.PriorityOf(spiThread) == pw::platform::Threads::kPriorityNormal;
        }));
        EXPECT_EQ(desktop.threads.NameOf(spiThread), "VESK SendParameterInfo Thread");
        EXPECT_EQ(desktop.threads.ProcessPriorityClass(),
                  static_cast<unsigned long>(g_pSettings->CPUPriority()));
        EXPECT_GT(ProcessThreadCount(), threadsBefore);

        EXPECT_TRUE(RemoveMouseHook(false));
        EXPECT_EQ(g_dwHookThreadId, 0u);
        EXPECT_EQ(g_dwTimerThreadId, 0u);
        EXPECT_EQ(g_hMouseHook, nullptr);
        EXPECT_EQ(g_pSendInput, nullptr);
        EXPECT_EQ(g_pSPIThread, nullptr);
        EXPECT_TRUE(desktop.hooks.InstalledHooks().empty());
        EXPECT_EQ(desktop.threads.ProcessPriorityClass(),
                  pw::platform::Threads::kNormalPriorityClass);
        // The clean-up tells the main window too.
        EXPECT_EQ(MainWindowNotes(), notesSeen + 1);
        notesSeen = MainWindowNotes();
        EXPECT_EQ(ProcessThreadCount(), threadsBefore);
    }
    EXPECT_EQ(desktop.hooks.InstallCount(), 6u);
    EXPECT_TRUE(Logged(L"Hook thread exited successfully."));
    EXPECT_TRUE(Logged(L"Timer thread exited successfully."));
    EXPECT_TRUE(Logged(L"Removing mouse hook..."));
}

TEST_F(HookLifecycleTest, SecondSetMouseHookReplacesTheThreadsWithoutResettingDefaults) {
    Hook();
    HHOOK first = g_hMouseHook;
    desktop.systemParameters.TakeChanges();
    Hook();
    EXPECT_TRUE(Logged(L"QuickSetMouseHook: Hook thread exists!"));
    ASSERT_EQ(desktop.hooks.InstalledHooks().size(), 2u);
    EXPECT_NE(g_hMouseHook, first);
    EXPECT_EQ(desktop.hooks.InstallCount(), 4u);
    EXPECT_TRUE(desktop.systemParameters.Changes().empty());
    EXPECT_TRUE(RemoveMouseHook(false));
    EXPECT_TRUE(desktop.hooks.InstalledHooks().empty());
}

TEST_F(HookLifecycleTest, RemoveMouseHookWithoutThreadsDoesNothing) {
    desktop.diagnostics.ClearDebugLines();
    EXPECT_FALSE(RemoveMouseHook(true));
    EXPECT_TRUE(desktop.diagnostics.DebugLines().empty());
    EXPECT_TRUE(desktop.systemParameters.Changes().empty());
}

TEST_F(HookLifecycleTest, RemovalWithDefaultsRestoresTheCapturedSwapAndLines) {
    // The system had swapped buttons and 0 wheel lines when the library looked.
    desktop.systemParameters.Preset(true, 0);
    pw::CaptureSystemMouseDefaults();
    Hook();
    desktop.systemParameters.Preset(false, 9);
    desktop.systemParameters.TakeChanges();

    EXPECT_TRUE(RemoveMouseHook(true));
    const std::vector<Change> changes = desktop.systemParameters.TakeChanges();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].kind, Change::Kind::ButtonSwap);
    EXPECT_EQ(changes[0].value, 1u);
    EXPECT_EQ(changes[0].updateFlags, SystemParameters::kUpdateIniFile);
    EXPECT_EQ(changes[1].kind, Change::Kind::WheelScrollLines);
    EXPECT_EQ(changes[1].value, 3u);
    EXPECT_EQ(changes[1].updateFlags,
              SystemParameters::kUpdateIniFile | SystemParameters::kSendChange);
    EXPECT_TRUE(Logged(L"Reset Swap Mouse Buttons to default (1)"));
    EXPECT_TRUE(Logged(L"Reset Wheel Scroll Lines to default (3)"));

    // A system that refuses is reported, not retried.
    Hook();
    desktop.systemParameters.SetFailing(true);
    EXPECT_TRUE(RemoveMouseHook(true));
    EXPECT_TRUE(Logged(L"Unable to reset Swap Mouse Buttons to default! (1)"));
    EXPECT_TRUE(Logged(L"Unable to reset Wheel Scroll Lines to default (3)"));
    desktop.systemParameters.SetFailing(false);
}

TEST_F(HookLifecycleTest, HookThreadReinstallsOnRequestAndSurvivesDroppedHooks) {
    Hook();
    const HHOOK first = g_hMouseHook;
    const pw::runtime::RegisteredMessages& ids = pw::runtime::Messages();
    desktop.messages.PostThreadMessage(g_dwHookThreadId, ids.setTimer, 0x1011, 100);
    desktop.messages.PostThreadMessage(g_dwHookThreadId, pw::platform::kWmUser + 7, 0, 0);
    desktop.messages.PostThreadMessage(g_dwHookThreadId, ids.resetHook, 99, 0);
    ASSERT_TRUE(HookThreadCaughtUp());
    EXPECT_TRUE(Logged(L"Invalid Set Timer call to hook thread"));
    EXPECT_TRUE(Logged(L"-- Dropping Message: 00000407 --"));
    EXPECT_TRUE(Logged(L"HookThread: WP_MOUSEHOOK - Successfully set the mouse hook 0x"));
    // An unknown code did nothing; the reinstallation replaced the old mouse hook.
    EXPECT_EQ(desktop.hooks.InstallCount(), 3u);
    ASSERT_EQ(desktop.hooks.InstalledHooks().size(), 2u);
    EXPECT_NE(g_hMouseHook, first);

    // The system drops the hook after an overrun; both are installed again on request.
    desktop.hooks.DropHooks(Kind::MouseLowLevel);
    const size_t installs = desktop.hooks.InstallCount();
    desktop.messages.PostThreadMessage(g_dwHookThreadId, ids.resetHook, pw::runtime::kWpBoth, 0);
    ASSERT_TRUE(WaitUntil([&] { return desktop.hooks.InstallCount() > installs; }));
    ASSERT_TRUE(WaitUntil([&] { return desktop.hooks.CountOf(Kind::MouseLowLevel) == 1; }));

    // Removing a hook the system dropped only logs.
    desktop.hooks.DropHooks(Kind::MouseLowLevel);
    EXPECT_TRUE(RemoveMouseHook(false));
    EXPECT_TRUE(Logged(L"Unable to remove mouse hook (the hook was probably removed by Windows)"));
    EXPECT_EQ(g_hMouseHook, nullptr);
}

TEST_F(HookLifecycleTest, HookTimeoutIsReadFromTheRegistryAtEveryStart) {
    constexpr const Char* kDesktopKey = L"HKCU\\Control Panel\\Desktop";
    constexpr const Char* kTimeoutValue = L"LowLevelHooksTimeout";
    // Every notch over the window is handled, and its handling spends 10 ms between its
    // two halves.
    desktop.windows.SetForeground(
        desktop.windows.CreateTopLevel(L"Frame", RECT{0, 0, 1000, 800}, 100));
    pw::test::SwallowEveryButton(*g_pSettings);
    g_pSettings->SetSimKeyDelay(10);
    // Hands a notch to the installed hook; whether the hook then asked its thread to
    // reinstall it (the hook runs on the calling thread here).
    auto notchAskedForReinstall = [&] {
        desktop.clock.Advance(1000);
        desktop.messages.TakeRecorded();
        MSLLHOOKSTRUCT record{POINT{10, 10}, static_cast<DWORD>(-120) << 16, 0, 0, 0};
        for (const auto& hook : desktop.hooks.InstalledHooks()) {
            if (hook.kind != Kind::MouseLowLevel)
                continue;
            EXPECT_EQ(hook.proc(0, 0x20A, reinterpret_cast<LPARAM>(&record)), 1);
        }
        const unsigned long self = desktop.messages.CurrentThreadId();
        for (const pw::sim::SimMessage& message : desktop.messages.Recorded())
            if (message.threadId == self && message.message == pw::runtime::Messages().resetHook &&
                message.wParam == pw::runtime::kWpMouseHook)
                return true;
        return false;
    };

    // No value: no time-out, so no check.
    Hook();
    EXPECT_EQ(GetHooktimeoutValue(), 0u);
    EXPECT_FALSE(notchAskedForReinstall());

    // A 32-bit value that the notch overruns: logged, and the hook is to be reinstalled.
    desktop.registry.SetDword(kDesktopKey, kTimeoutValue, 3);
    EXPECT_EQ(GetHooktimeoutValue(), 3u);
    Hook();
    EXPECT_TRUE(notchAskedForReinstall());
    EXPECT_TRUE(Logged(L"WARNING: Mouse hook has taken too long (10 ms). Hook may be disabled."));

    // A value of another type turns the check off again at the next start.
    desktop.registry.SetString(kDesktopKey, kTimeoutValue, L"3");
    EXPECT_EQ(GetHooktimeoutValue(), 0u);
    Hook();
    EXPECT_FALSE(notchAskedForReinstall());
}

TEST_F(HookLifecycleTest, FailedHookIsLoggedAndTheThreadStillRuns) {
    desktop.hooks.SetFailure(Kind::MouseLowLevel, pw::platform::kErrorAccessDenied);
    Hook();
    EXPECT_EQ(g_hMouseHook, nullptr);
    EXPECT_FALSE(GetHooked());
    EXPECT_NE(g_dwHookThreadId, 0u);
    EXPECT_TRUE(Logged(L"HookThread: Unable to set low level mouse hook."));

    // Once the system allows it, a reinstallation request sets the hook.
    desktop.hooks.SetFailure(Kind::MouseLowLevel, 0);
    ASSERT_TRUE(HookThreadCaughtUp());
    EXPECT_TRUE(GetHooked());
    EXPECT_TRUE(RemoveMouseHook(false));
}

TEST_F(HookLifecycleTest, EnglishLayoutIsFoundOrLoadedAndUnloadedAgain) {
    ScriptedLayouts layouts;
    pw::platform::ScopedKeyboardLayout scoped(layouts);

    // An installed English variant is used as it is.
    layouts.installed = {Layout(0x04070407), Layout(0x08090809)};
    Hook();
    EXPECT_EQ(g_hEnglishLayout, Layout(0x08090809));
    EXPECT_FALSE(g_bEnglishLayoutLoaded);
    EXPECT_TRUE(Logged(L"Using keyboard language 0x08090809"));
    EXPECT_TRUE(layouts.loads.empty());

    // Without one, US English is loaded only when the settings allow it.
    layouts.installed = {Layout(0x04070407)};
    layouts.loadable = Layout(0x04090409);
    Hook();
    EXPECT_EQ(g_hEnglishLayout, nullptr);
    EXPECT_TRUE(Logged(L"Use of US English has been disabled."));
    EXPECT_TRUE(layouts.loads.empty());

    g_pSettings->SetLoadUSEnglish(true);
    Hook();
    EXPECT_EQ(g_hEnglishLayout, Layout(0x04090409));
    EXPECT_TRUE(g_bEnglishLayoutLoaded);
    EXPECT_EQ(layouts.loads, std::vector<String>{L"04090409"});
    EXPECT_EQ(layouts.loadFlags, 0x80u);

    // A restart unloads the layout it loaded before choosing again.
    Hook();
    EXPECT_EQ(layouts.unloads, std::vector<pw::platform::KeyboardLayoutHandle>{Layout(0x04090409)});
    EXPECT_EQ(layouts.loads.size(), 2u);
    EXPECT_TRUE(RemoveMouseHook(false));

    // So does unloading the library.
    pw::hook::ProcessDetach();
    pw::hook::ProcessAttach();
    pw::runtime::RegisterMessages();
    EXPECT_EQ(layouts.unloads.size(), 2u);
    EXPECT_EQ(g_hEnglishLayout, nullptr);
    EXPECT_FALSE(g_bEnglishLayoutLoaded);
}

TEST_F(HookLifecycleTest, UnloadWhileHookedStopsEverythingWithoutWaitingForAThreadToExit) {
    desktop.systemParameters.Preset(false, 5);
    pw::CaptureSystemMouseDefaults();
    const size_t threadsBefore = ProcessThreadCount();
    Hook();
    desktop.systemParameters.Preset(true, 12);
    desktop.systemParameters.TakeChanges();

    // The loader unloads the library holding its lock: no thread can finish exiting.
    desktop.loaderLock.Hold();
    std::atomic<bool> unloaded{false};
    std::thread loader([&] {
        pw::hook::ProcessDetach();
        unloaded = true;
    });
    EXPECT_TRUE(WaitUntil([&] { return unloaded.load(); })) << "the unload waits for an exit";
    // The hook, timer, send-input and system-parameter threads ended their loops in time
    // and were let go to exit later.
    if (unloaded) {
        EXPECT_TRUE(WaitUntil([&] { return desktop.loaderLock.WaitingExits() == 4; }));
    }
    desktop.loaderLock.Release();
    loader.join();
    EXPECT_FALSE(Logged(L"did not exit in a timely fashion"));
    EXPECT_EQ(g_dwHookThreadId, 0u);
    EXPECT_EQ(g_dwTimerThreadId, 0u);
    EXPECT_EQ(g_pSendInput, nullptr);
    EXPECT_EQ(g_pSPIThread, nullptr);
    EXPECT_EQ(g_pSettings, nullptr);
    EXPECT_TRUE(desktop.hooks.InstalledHooks().empty());
    EXPECT_TRUE(WaitUntil([&] { return ProcessThreadCount() == threadsBefore; }));
    EXPECT_FALSE(desktop.systemParameters.Swapped());
    EXPECT_EQ(desktop.systemParameters.ScrollLines(), 5u);
    pw::hook::ProcessAttach();
    pw::runtime::RegisterMessages();
}

// A program launch still under way when the library unloads is waited for, a bounded
// time: its thread runs the library's code, which must not go from under it.
TEST_F(HookLifecycleTest, UnloadWaitsForALaunchUnderWay) {
    ASSERT_TRUE(pw::test::StoreInSettingsFolder(
        desktop, pw::test::SettingsXml(
                     "<Default><XLeft action=\"41\" app=\"C:\\Tools\\tool.exe\"/></Default>")));
    UpdateSettings();
    desktop.windows.SetForeground(
        desktop.windows.CreateTopLevel(L"Frame", RECT{0, 0, 1000, 800}, 100));
    Hook();
    // The shell is slow to start the program: the launch is under way past the unload.
    desktop.shell.HoldStarts(true);
    MSLLHOOKSTRUCT press{POINT{100, 100}, 1u << 16, 0, desktop.clock.TickCount(), 0};
    pw::MouseHookLLProc(0, pw::hook::kWmXButtonDown, reinterpret_cast<LPARAM>(&press));
    pw::hook::ProcessDetach();
    EXPECT_TRUE(Logged(L"ProcessDetach: A web search or a launch is still running."));
    desktop.shell.HoldStarts(false);
    ASSERT_TRUE(WaitUntil([&] { return desktop.shell.Executions().size() == 1; }));
    EXPECT_EQ(desktop.shell.Executions()[0].file, L"C:\\Tools\\tool.exe");
    pw::hook::ProcessAttach();
    pw::runtime::RegisterMessages();
}

TEST_F(HookLifecycleTest, LoadingAgainPutsTheLayerAndAxisStateBack) {
    SetCurrentLayer(1, false, false, true);
    ASSERT_EQ(GetCurrentLayer(), 1);
    ASSERT_EQ(g_nSavedLayer, 0);
    GetAxisLocks()->LockX(true);
    GetAxisLocks()->LockY(true);

    pw::hook::ProcessDetach();
    pw::hook::ProcessAttach();
    pw::runtime::RegisterMessages();
    EXPECT_EQ(GetCurrentLayer(), 0);
    EXPECT_EQ(g_nSavedLayer, -1);
    EXPECT_EQ(g_pCurrentApp, nullptr);
    EXPECT_FALSE(GetAxisLocks()->Locked());
}

TEST_F(HookLifecycleTest, RemoveHooksTakesOffBothHooksAndRestoresCursors) {
    g_hKeyboardHook = desktop.hooks.SetHook(Kind::KeyboardLowLevel, &pw::MouseHookLLProc);
    g_hMouseHook = desktop.hooks.SetHook(Kind::MouseLowLevel, &pw::MouseHookLLProc);
    const int reloads = desktop.systemParameters.CursorReloads();
    RemoveHooks();
    EXPECT_TRUE(desktop.hooks.InstalledHooks().empty());
    EXPECT_EQ(g_hKeyboardHook, nullptr);
    EXPECT_EQ(g_hMouseHook, nullptr);
    EXPECT_EQ(desktop.systemParameters.CursorReloads(), reloads + 1);
    // The keyboard hook goes first.
    const std::vector<String> lines = desktop.diagnostics.DebugLines();
    size_t keyboard = lines.size();
    size_t mouse = lines.size();
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find(L"Removing keyboard hook...") != String::npos)
            keyboard = i;
        if (lines[i].find(L"Removing mouse hook...") != String::npos)
            mouse = i;
    }
    EXPECT_LT(keyboard, mouse);
    EXPECT_LT(mouse, lines.size());
}

} // namespace

TEST_F(HookLifecycleTest, RemovingTheHooksReleasesTheKeysOfAHeldWheel) {
    ASSERT_TRUE(pw::test::StoreInSettingsFolder(
        desktop, pw::test::SettingsXml("<SimulatedKeys Delay=\"0\"/><Default "
                                       "IgnoreVScroll=\"true\" IgnoreVScrollTime=\"200\">"
                                       "<WheelUp action=\"28\" keys=\"{SHIFT}\" "
                                       "keyaction=\"2\"/></Default>")));
    UpdateSettings();
    desktop.windows.SetForeground(
        desktop.windows.CreateTopLevel(L"Frame", RECT{0, 0, 1000, 800}, 100));
    Hook();
    auto shift = [&] {
        std::string events;
        for (const pw::platform::InputRecord& record : desktop.input.Injected())
            if (record.type == pw::platform::InputType::Keyboard && record.key.vk == 0xA0)
                events += (record.key.flags & 0x2) ? '-' : '+';
        return events;
    };
    MSLLHOOKSTRUCT record{POINT{100, 100}, 120u << 16, 0, desktop.clock.TickCount(), 0};
    pw::MouseHookLLProc(0, 0x20A, reinterpret_cast<LPARAM>(&record));
    ASSERT_TRUE(WaitUntil([&] { return shift() == "+"; })) << shift();

    // The wheel's timer has not fired: removing the hooks sends the release itself.
    RemoveMouseHook(false);
    EXPECT_EQ(shift(), "+-");
}

namespace {

// The release a removal sends for a sticky button is injected when no hook is left to
// count it off; hooking again starts from nothing announced, so another program's injected
// press is processed as its own rather than taken for the library's.
TEST_F(HookLifecycleTest, HookingAgainForgetsInjectionsNoHookCouldSee) {
    ASSERT_TRUE(pw::test::StoreInSettingsFolder(
        desktop, pw::test::SettingsXml("<Default><XLeft action=\"49\"/></Default>")));
    UpdateSettings();
    desktop.windows.SetForeground(
        desktop.windows.CreateTopLevel(L"Frame", RECT{0, 0, 1000, 800}, 100));
    Hook();
    auto send = [&](unsigned message, uint32_t flags) {
        MSLLHOOKSTRUCT record{POINT{100, 100}, 1u << 16, flags, desktop.clock.TickCount(), 0};
        return pw::MouseHookLLProc(0, message, reinterpret_cast<LPARAM>(&record));
    };
    constexpr unsigned kXDown = 0x20B;
    constexpr unsigned kXUp = 0x20C;
    EXPECT_EQ(send(kXDown, 0), 1);
    EXPECT_EQ(send(kXUp, 0), 1);
    RemoveMouseHook(false);
    Hook();
    constexpr uint32_t kInjected = 0x1;
    EXPECT_EQ(send(kXDown, kInjected), 1);
    EXPECT_EQ(send(kXUp, kInjected), 1);
}

} // namespace
