#include "actions/action_state.h"
#include "actions/key_repeat.h"
#include "actions/launch_application.h"
#include "actions/layers.h"
#include "actions/process_button.h"
#include "actions/sticky_keys.h"
#include "hook/flag_functions.h"
#include "hook/library.h"
#include "hook/mouse_hook.h"
#include "input/send_input.h"
#include "platform/sim/simulated_desktop.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "scroll/lock_axis.h"
#include "scroll/movement_to_scroll.h"
#include "settings/application_settings.h"
#include "settings/chord.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/thread_lock.h"
#include "support/wait_until.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using pw::actions::kKindDown;
using pw::actions::kKindUp;
using pw::sim::SimMessage;

const HHOOK kMouseHook = reinterpret_cast<HHOOK>(uintptr_t{0x4D4D});
const HHOOK kKeyboardHook = reinterpret_cast<HHOOK>(uintptr_t{0x4B4B});

// Actions carried out through ProcessButton on the simulated desktop, with the sender
// played on the test's thread.
class ActionDispatch : public ::testing::Test {
  protected:
    ActionDispatch() {
        pw::runtime::RegisterMessages();
        CLogger::EnableDebug(true);
        g_hMouseHook = kMouseHook;
        g_hKeyboardHook = kKeyboardHook;
        g_pSettings->SetSimKeyDelay(0);
        g_pSendInput = new CSendInput(pw::input::SendInputMode::Manual);
        window =
            desktop.windows.Create({.className = L"Frame",
                                    .caption = L"Document",
                                    .rect = RECT{0, 0, 800, 600},
                                    .processId = 100,
                                    .threadId = 7,
                                    .style = pw::platform::kWsCaption | pw::platform::kWsSysMenu |
                                             pw::platform::kWsMaximizeBox});
        desktop.windows.SetForeground(window);
        g_hLastWindow = window;
        g_pCurrentApp = Default();
    }
    ~ActionDispatch() override {
        delete g_pSendInput;
        g_pSendInput = nullptr;
        g_LockAxis.Unlock(false);
        pw::hook::ResetLibraryState();
        CLogger::EnableDebug(false);
    }

    CApplicationSettings* Default() { return g_pSettings->GetDefaultApp(); }
    void Map(int button, _ACTIONS action, int layer = 0) {
        g_pCurrentApp->SetActions(static_cast<MouseButtons>(button), layer, action);
    }
    void MapKeys(int button, const Char* keys, int mode, bool blockMouse = true,
                 bool active = false, int repeat = 0) {
        Map(button, actSimulatedKeys);
        g_pCurrentApp->SetKeystrokes(static_cast<MouseButtons>(button), 0, keys, mode, repeat,
                                     active, blockMouse, false);
    }

    // One event through ProcessButton; true when it is swallowed.
    bool Press(int button, int kind, POINT pt = POINT{100, 100}) {
        MSLLHOOKSTRUCT record{pt, 0, 0, 0, 0};
        passOriginal = keysSent = injected = false;
        CThreadLock lock(L"ActionDispatchTest");
        return pw::ProcessButton(button, kind, true, &record, &passOriginal, &keysSent, &injected);
    }
    // What the sender injected since the last call: "<vk>+" and "<vk>-" for keys (hex),
    // "m<flags>" for mouse records, "m<flags>:<data>" with wheel data.
    std::string Injected() {
        g_pSendInput->ProcessQueue();
        std::string words;
        for (const auto& record : desktop.input.TakePending()) {
            char word[32];
            if (record.type == pw::platform::InputType::Keyboard)
                std::snprintf(word, sizeof word, "%X%c", record.key.vk,
                              record.key.flags & pw::platform::kKeyEventKeyUp ? '-' : '+');
            else if (record.mouse.mouseData)
                std::snprintf(word, sizeof word, "m%X:%d", record.mouse.flags,
                              static_cast<int>(record.mouse.mouseData));
            else
                std::snprintf(word, sizeof word, "m%X", record.mouse.flags);
            words += (words.empty() ? "" : " ") + std::string(word);
        }
        return words;
    }
    std::vector<SimMessage> Posted(unsigned message) {
        std::vector<SimMessage> found;
        for (const SimMessage& m : desktop.messages.Recorded())
            if (m.message == message)
                found.push_back(m);
        return found;
    }
    bool Logged(StringView text) { return desktop.diagnostics.DebugOutputContains(text); }

    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
    HWND window = nullptr;
    bool passOriginal = false;
    bool keysSent = false;
    bool injected = false;
};

TEST_F(ActionDispatch, ClicksAreSentAsAnotherButton) {
    // "Left Click" on the right button: both halves become the left button's.
    Map(mbRight, actLeftClick);
    EXPECT_TRUE(Press(mbRight, kKindDown));
    EXPECT_TRUE(injected);
    EXPECT_EQ(Injected(), "m2");
    EXPECT_TRUE(Press(mbRight, kKindUp));
    EXPECT_EQ(Injected(), "m4");
    EXPECT_EQ(g_nInjectCount, 2);

    // A release whose press reached the system: a whole left click, and the release passes.
    EXPECT_FALSE(Press(mbRight, kKindUp));
    EXPECT_EQ(Injected(), "m2 m4");

    // The double click goes to the primary button, which follows the system's swap.
    g_bButtonsSwapped = true;
    Map(mbMiddle, actDoubleClick);
    EXPECT_TRUE(Press(mbMiddle, kKindDown));
    EXPECT_EQ(Injected(), "m8 m10 m8 m10");
    EXPECT_TRUE(Press(mbMiddle, kKindUp));
    EXPECT_EQ(Injected(), "");

    // Double-click drag: click and press, then the release on the button's release.
    g_bButtonsSwapped = false;
    Map(mbXLeft, actDoubleClickDrag);
    EXPECT_TRUE(Press(mbXLeft, kKindDown));
    EXPECT_EQ(Injected(), "m2 m4 m2");
    EXPECT_TRUE(Press(mbXLeft, kKindUp));
    EXPECT_EQ(Injected(), "m4");

    // Without the sender nothing is sent; the press is still swallowed.
    delete g_pSendInput;
    g_pSendInput = nullptr;
    Map(mbXRight, actMiddleClick);
    EXPECT_TRUE(Press(mbXRight, kKindDown));
    EXPECT_TRUE(injected);
    EXPECT_TRUE(desktop.input.TakePending().empty());
    g_pSendInput = new CSendInput(pw::input::SendInputMode::Manual);
}

TEST_F(ActionDispatch, KeystrokeActionsTapTheirKeyOnOneHalf) {
    Map(mbXLeft, actCopy);
    EXPECT_TRUE(Press(mbXLeft, kKindDown));
    EXPECT_EQ(Injected(), "");
    EXPECT_TRUE(Press(mbXLeft, kKindUp));
    EXPECT_EQ(Injected(), "A2+ 43+ 43- A2-");

    Map(mbXRight, actPreviousWindow);
    EXPECT_TRUE(Press(mbXRight, kKindDown));
    EXPECT_EQ(Injected(), "A0+ A4+ 1B+ 1B- A4- A0-");
    EXPECT_TRUE(Press(mbXRight, kKindUp));
    EXPECT_EQ(Injected(), "");

    // Switching windows holds Control too on newer systems.
    Map(mbMiddle, actAltTab);
    desktop.systemInfo.major = 6;
    desktop.systemInfo.minor = 1;
    EXPECT_TRUE(Press(mbMiddle, kKindDown));
    EXPECT_EQ(Injected(), "A4+ 9+ 9- A4-");
    desktop.systemInfo.major = 10;
    desktop.systemInfo.minor = 0;
    EXPECT_TRUE(Press(mbMiddle, kKindDown));
    EXPECT_EQ(Injected(), "A2+ A4+ 9+ 9- A4- A2-");

    Map(mbRight, actVirtualDesktopSwitchRight);
    EXPECT_TRUE(Press(mbRight, kKindDown));
    EXPECT_EQ(Injected(), "A2+ 5B+ 27+ 27- 5B- A2-");

    // Volume steps play their sequence; the media keys are extended keys.
    Map(mbWheelUp, actMediaVolumeUp);
    EXPECT_TRUE(Press(mbWheelUp, kKindDown));
    EXPECT_EQ(Injected(), "AF+ AF-");
    Map(mbLeft, actMediaMute);
    EXPECT_TRUE(Press(mbLeft, kKindDown));
    g_pSendInput->ProcessQueue();
    const auto records = desktop.input.Injected();
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().key.vk, 0xAD);
    EXPECT_TRUE(records.back().key.flags & pw::platform::kKeyEventExtendedKey);
}

TEST_F(ActionDispatch, WindowCommandsAndApplicationCommands) {
    // Back goes to the event's window as an application command on the release.
    Map(mbXLeft, actBack);
    EXPECT_TRUE(Press(mbXLeft, kKindDown));
    EXPECT_TRUE(Posted(pw::platform::kWmAppCommand).empty());
    EXPECT_TRUE(Press(mbXLeft, kKindUp));
    auto commands = Posted(pw::platform::kWmAppCommand);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].window, window);
    EXPECT_EQ(commands[0].lParam, 1 << 16);

    // Close posts to the window with a caption; the release is swallowed like its press, so
    // the window never sees a lone release.
    Map(mbMiddle, actClose);
    EXPECT_TRUE(Press(mbMiddle, kKindDown));
    EXPECT_TRUE(Press(mbMiddle, kKindUp));
    auto closes = Posted(pw::platform::kWmSysCommand);
    ASSERT_EQ(closes.size(), 1u);
    EXPECT_EQ(closes[0].window, window);
    EXPECT_EQ(closes[0].wParam, pw::platform::kScClose);

    // Maximize is sent with the point and the window is shown maximized; minimize needs
    // the minimize box, which the window does not have.
    Map(mbRight, actMaximizeWindow);
    EXPECT_TRUE(Press(mbRight, kKindUp, POINT{30, 40}));
    auto sent = Posted(pw::platform::kWmSysCommand);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].kind, SimMessage::Kind::Sent);
    EXPECT_EQ(sent[1].wParam, pw::platform::kScMaximize);
    EXPECT_EQ(sent[1].lParam, 30 | (40 << 16));
    ASSERT_EQ(desktop.windows.ShowCommands().size(), 1u);
    EXPECT_EQ(desktop.windows.ShowCommands()[0].command, pw::platform::kSwMaximize);
    Map(mbRight, actMinimizeWindow);
    EXPECT_TRUE(Press(mbRight, kKindUp));
    EXPECT_EQ(Posted(pw::platform::kWmSysCommand).size(), 2u);
    EXPECT_TRUE(Logged(L"Unable to minimize window 0x"));
}

TEST_F(ActionDispatch, ShellActionsStartProgramsAndFolders) {
    Map(mbXLeft, actOpenMyDocuments);
    EXPECT_TRUE(Press(mbXLeft, kKindDown));
    EXPECT_TRUE(desktop.shell.Executions().empty());
    EXPECT_TRUE(Press(mbXLeft, kKindUp));
    ASSERT_EQ(desktop.shell.Executions().size(), 1u);
    EXPECT_EQ(desktop.shell.Executions()[0].file, L"explorer");
    EXPECT_EQ(desktop.shell.Executions()[0].parameters,
              L"/N,::{450D8FBA-AD25-11D0-98A8-0800361B1103}");

    Map(mbXRight, actLockWorkstation);
    EXPECT_TRUE(Press(mbXRight, kKindUp));
    EXPECT_EQ(desktop.shell.LockCount(), 1);

    Map(mbMiddle, actMonitorPowerSaving);
    EXPECT_TRUE(Press(mbMiddle, kKindUp));
    auto broadcast = Posted(pw::platform::kWmSysCommand);
    ASSERT_EQ(broadcast.size(), 1u);
    EXPECT_EQ(broadcast[0].window, pw::platform::kHwndBroadcast);
    EXPECT_EQ(broadcast[0].lParam, 2);

    // Programs start on a thread of their own, split after ".exe".
    Map(mbRight, actRunApplication);
    g_pCurrentApp->SetLaunchApp(mbRight, 0, L"C:\\Program Files\\Tool.EXE -a \"b c\"");
    EXPECT_TRUE(Press(mbRight, kKindDown));
    ASSERT_TRUE(pw::test::WaitUntil([&] { return desktop.shell.Executions().size() == 2; }));
    EXPECT_EQ(desktop.shell.Executions()[1].file, L"C:\\Program Files\\Tool.EXE");
    EXPECT_EQ(desktop.shell.Executions()[1].parameters, L"-a \"b c\"");
    EXPECT_TRUE(desktop.shell.Executions()[1].extended) << "a launch reports the shell's error";

    // Reveal desktop holds Windows + Space while the button is down.
    Map(mbLeft, actRevealDesktop);
    EXPECT_TRUE(Press(mbLeft, kKindDown));
    EXPECT_EQ(Injected(), "5B+ 20+");
    EXPECT_TRUE(Press(mbLeft, kKindUp));
    EXPECT_EQ(Injected(), "20- 5B-");
}

TEST_F(ActionDispatch, LaunchCommandsSplitAfterTheProgram) {
    using pw::actions::SplitLaunchCommand;
    EXPECT_EQ(SplitLaunchCommand(L"C:\\a b\\x.exe one two").program, L"C:\\a b\\x.exe");
    EXPECT_EQ(SplitLaunchCommand(L"C:\\a b\\x.exe one two").arguments, L"one two");
    EXPECT_EQ(SplitLaunchCommand(L"C:\\a b\\notes.txt").program, L"C:\\a b\\notes.txt");
    EXPECT_EQ(SplitLaunchCommand(L"C:\\a b\\notes.txt").arguments, L"");
    EXPECT_EQ(SplitLaunchCommand(L"x.exe").arguments, L"");
    EXPECT_FALSE(pw::LaunchApplication(L""));
}

TEST_F(ActionDispatch, LaunchThreadRunsNamedBelowNormalAndReportsARefusedStart) {
    Map(mbRight, actRunApplication);
    g_pCurrentApp->SetLaunchApp(mbRight, 0, L"C:\\Tools\\missing.exe /x");
    desktop.shell.SetExecuteResult(false);
    EXPECT_TRUE(Press(mbRight, kKindDown));
    EXPECT_TRUE(pw::test::WaitUntil([&] {
        return desktop.diagnostics.DebugOutputContains(
            L"Unable to launch process 'C:\\Tools\\missing.exe /x' (2): The system cannot find "
            L"the file specified.");
    }));
    desktop.shell.SetExecuteResult(true);
    const std::vector<unsigned long> launchers =
        desktop.threads.ThreadsNamed("VESK Launch Process Thread");
    ASSERT_EQ(launchers.size(), 1u);
    EXPECT_EQ(desktop.threads.PriorityOf(launchers[0]),
              pw::platform::Threads::kPriorityBelowNormal);
}

TEST_F(ActionDispatch, MagnifierStartsOnceAndZoomsWhenItRuns) {
    Map(mbXLeft, actMagnifierZoomIn);
    EXPECT_TRUE(Press(mbXLeft, kKindDown));
    EXPECT_EQ(desktop.shell.Executions().size(), 1u);
    EXPECT_EQ(desktop.shell.Executions()[0].file, L"magnify.exe");
    // Still starting: the second press only forgets the launch, the third starts again.
    EXPECT_TRUE(Press(mbXLeft, kKindDown));
    EXPECT_EQ(desktop.shell.Executions().size(), 1u);
    EXPECT_TRUE(Press(mbXLeft, kKindDown));
    EXPECT_EQ(desktop.shell.Executions().size(), 2u);

    HWND magnifier = desktop.windows.CreateTopLevel(L"MagUIClass", RECT{0, 0, 10, 10});
    EXPECT_TRUE(Press(mbXLeft, kKindDown));
    EXPECT_EQ(Injected(), "5B+ 6B+ 6B- 5B-");
    Map(mbXRight, actMagnifierToggle);
    EXPECT_TRUE(Press(mbXRight, kKindDown));
    auto quits = Posted(pw::platform::kWmQuit);
    ASSERT_EQ(quits.size(), 1u);
    EXPECT_EQ(quits[0].window, magnifier);
}

TEST_F(ActionDispatch, DisabledButtonsPassWhileScrollLockBypassesThem) {
    Map(mbRight, actDisable);
    EXPECT_TRUE(Press(mbRight, kKindDown));
    g_pSettings->SetScrollLockBypassDisabled(true);
    EXPECT_TRUE(Press(mbRight, kKindDown));
    desktop.systemInfo.SetKeyState(pw::platform::kVkScroll, 1);
    EXPECT_FALSE(Press(mbRight, kKindDown));
    EXPECT_TRUE(Logged(L"Bypassing disabled action because scroll lock is ON"));

    // Codes without an action, and codes past the catalogue, pass.
    Map(mbLeft, static_cast<_ACTIONS>(200));
    EXPECT_FALSE(Press(mbLeft, kKindDown));
    Map(mbLeft, actNoChange);
    EXPECT_FALSE(Press(mbLeft, kKindDown));
}

TEST_F(ActionDispatch, SimulatedKeysInEachSendMode) {
    // Pressed: the keys on the press; without blocking the click reaches the program.
    MapKeys(mbXLeft, L"ab", 0, false);
    EXPECT_FALSE(Press(mbXLeft, kKindDown));
    EXPECT_EQ(Injected(), "41+ 41- 42+ 42-");
    EXPECT_FALSE(Press(mbXLeft, kKindUp));
    EXPECT_EQ(Injected(), "");

    // Released.
    MapKeys(mbXLeft, L"a", 1);
    EXPECT_TRUE(Press(mbXLeft, kKindDown));
    EXPECT_EQ(Injected(), "");
    EXPECT_TRUE(Press(mbXLeft, kKindUp));
    EXPECT_EQ(Injected(), "41+ 41-");

    // During: held while the button is; a press while they are held sends nothing.
    MapKeys(mbXRight, L"{SHIFT}x", 2);
    EXPECT_TRUE(Press(mbXRight, kKindDown));
    EXPECT_TRUE(keysSent);
    EXPECT_EQ(Injected(), "A0+ 58+");
    EXPECT_TRUE(g_pCurrentApp->GetResetKeys(mbXRight, 0));
    EXPECT_TRUE(Press(mbXRight, kKindDown));
    EXPECT_EQ(Injected(), "");
    EXPECT_TRUE(Press(mbXRight, kKindUp));
    EXPECT_EQ(Injected(), "58- A0-");
    EXPECT_FALSE(g_pCurrentApp->GetResetKeys(mbXRight, 0));

    // Pressed and released: the string is split between the press and the release.
    MapKeys(mbMiddle, L"{PRESS}a{RELEASE}b", 8);
    EXPECT_TRUE(Press(mbMiddle, kKindDown));
    EXPECT_EQ(Injected(), "41+ 41-");
    EXPECT_TRUE(Press(mbMiddle, kKindUp));
    EXPECT_EQ(Injected(), "42+ 42-");
}

TEST_F(ActionDispatch, SimulatedKeysForAnotherWindowAreNotSent) {
    auto* app = new CApplicationSettings(g_pSettings, false);
    app->SetApplication(L"editor.exe");
    g_pSettings->AddApplication(app);
    g_pCurrentApp = app;
    MapKeys(mbXLeft, L"q", 0, true, true);
    HWND other = desktop.windows.CreateTopLevel(L"Other", RECT{900, 0, 1000, 100}, 200);
    desktop.windows.SetForeground(other);
    EXPECT_TRUE(Press(mbXLeft, kKindDown));
    EXPECT_EQ(Injected(), "");
    EXPECT_TRUE(Logged(L"as profile window is not active."));

    // A dialog owned by the window counts as the window.
    HWND dialog = desktop.windows.Create(
        {.className = L"#32770", .caption = L"", .rect = RECT{10, 10, 50, 50}, .owner = window});
    desktop.windows.SetForeground(dialog);
    EXPECT_TRUE(Press(mbXLeft, kKindDown));
    EXPECT_EQ(Injected(), "51+ 51-");
}

TEST_F(ActionDispatch, RepeatsRunOnTheTimerUntilTheRelease) {
    g_dwDefaultKeyRepeat = 500;
    MapKeys(mbXLeft, L"r", 5, true, false, 100);
    EXPECT_TRUE(Press(mbXLeft, kKindDown));
    EXPECT_EQ(Injected(), "52+ 52-");
    EXPECT_EQ(g_nRepeatButton, mbXLeft);
    desktop.timers.AdvanceAndFire(99);
    EXPECT_EQ(Injected(), "");
    desktop.timers.AdvanceAndFire(1);
    EXPECT_EQ(Injected(), "52+ 52-");
    desktop.timers.AdvanceAndFire(100);
    EXPECT_EQ(Injected(), "52+ 52-");
    EXPECT_TRUE(Press(mbXLeft, kKindUp));
    EXPECT_EQ(g_nRepeatButton, -1);
    desktop.timers.AdvanceAndFire(1000);
    EXPECT_EQ(Injected(), "");

    // Wheel steps repeat at the wheel interval.
    g_dwWheelRepeat = 40;
    Map(mbRight, actMouseWheelDown);
    EXPECT_TRUE(Press(mbRight, kKindDown));
    EXPECT_EQ(Injected(), "m800:-120");
    desktop.timers.AdvanceAndFire(80);
    EXPECT_EQ(Injected(), "m800:-120 m800:-120");
    EXPECT_TRUE(Press(mbRight, kKindUp));
    EXPECT_EQ(g_nRepeatButton, -1);
    desktop.timers.AdvanceAndFire(200);
    EXPECT_EQ(Injected(), "");
}

TEST_F(ActionDispatch, RandomisedIntervalsStayWithinATenth) {
    using pw::actions::RandomisedInterval;
    auto lowest = [](unsigned) { return 0u; };
    auto highest = [](unsigned n) { return n - 1; };
    EXPECT_EQ(RandomisedInterval(100, lowest), 90u);
    EXPECT_EQ(RandomisedInterval(100, highest), 109u);
    EXPECT_EQ(RandomisedInterval(20, lowest), 17u);
    EXPECT_EQ(RandomisedInterval(20, highest), 22u);
    EXPECT_EQ(RandomisedInterval(1, lowest), 0u);
}

TEST_F(ActionDispatch, LayerButtonsShiftWhileHeldAndCycleOnRelease) {
    HWND mainWindow = desktop.windows.CreateTopLevel(L"Main", RECT{0, 0, 5, 5});
    SetHookMainWindow(mainWindow);
    g_pSettings->SetMaxLayers(4);
    // Layer 3 held from layer 2, whose release goes back to layer 1 as layer 2 says.
    g_nCurrentLayer = 1;
    g_pCurrentApp->SetRevertLayer1(1, true);
    Map(mbXLeft, actLayer3, 1);
    Map(mbXLeft, actLayer3, 2);
    EXPECT_TRUE(Press(mbXLeft, kKindDown));
    EXPECT_EQ(g_nCurrentLayer, 2);
    EXPECT_TRUE(g_bLayerHeld);
    EXPECT_TRUE(Press(mbXLeft, kKindUp));
    EXPECT_EQ(g_nCurrentLayer, 0);
    EXPECT_FALSE(g_bLayerHeld);
    EXPECT_EQ(g_nSavedLayer, -1);
    auto changes = Posted(pw::runtime::Messages().layerChanged);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].wParam, 2u);
    EXPECT_EQ(changes[0].lParam, 1);
    EXPECT_EQ(changes[1].wParam, 0u);
    EXPECT_EQ(changes[1].lParam, 0);

    // Next skips disabled layers and wraps; with every other layer disabled it stays.
    for (int layer = 0; layer < 4; ++layer)
        Map(mbMiddle, actLayerNext, layer);
    g_pCurrentApp->SetLayerDisabled(1, true);
    EXPECT_TRUE(Press(mbMiddle, kKindUp));
    EXPECT_EQ(g_nCurrentLayer, 2);
    EXPECT_TRUE(Press(mbMiddle, kKindUp));
    EXPECT_EQ(g_nCurrentLayer, 3);
    EXPECT_TRUE(Press(mbMiddle, kKindUp));
    EXPECT_EQ(g_nCurrentLayer, 0);
    g_pCurrentApp->SetLayerDisabled(2, true);
    g_pCurrentApp->SetLayerDisabled(3, true);
    EXPECT_TRUE(Press(mbMiddle, kKindUp));
    EXPECT_EQ(g_nCurrentLayer, 0);

    // A layer past the ones in use is refused.
    pw::ChangeLayer(5, true);
    EXPECT_EQ(g_nCurrentLayer, 0);
    EXPECT_TRUE(Logged(L"Attempting to activate layer 5 which is greater than Max layers (4)"));
    SetHookMainWindow(nullptr);
}

TEST_F(ActionDispatch, LayerChangeReleasesKeysHeldForAPressAndArmsTheSwitchBack) {
    g_pSettings->SetMaxLayers(4);
    MapKeys(mbXRight, L"{ALT}", 2);
    EXPECT_TRUE(Press(mbXRight, kKindDown));
    EXPECT_EQ(Injected(), "A4+");

    g_pCurrentApp->SetAutoSwitchLayer(2, 1);
    g_pCurrentApp->SetAutoSwitchTime(2, 10);
    g_nCurrentLayer = 0;
    SetCurrentLayer(2, true, true, true);
    EXPECT_EQ(g_nCurrentLayer, 2);
    EXPECT_EQ(Injected(), "A4-");
    EXPECT_FALSE(g_pCurrentApp->GetResetKeys(mbXRight, 0));
    desktop.timers.AdvanceAndFire(9999);
    EXPECT_EQ(g_nCurrentLayer, 2);
    desktop.timers.AdvanceAndFire(1);
    EXPECT_EQ(g_nCurrentLayer, 0);
    EXPECT_EQ(g_uAutoSwitchTimer, 0u);
    EXPECT_EQ(GetCurrentLayer(), 0);
}

TEST_F(ActionDispatch, StickyButtonsStayDownUntilTheNextClick) {
    // Like ProcessButton's bookkeeping: a handled press is remembered for its release.
    auto click = [&](int kind) {
        const bool swallowed = Press(mbXLeft, kind);
        g_bDownHandled[mbXLeft] = kind == kKindDown && swallowed;
        return swallowed;
    };
    Map(mbXLeft, actStickyLeftButton);
    EXPECT_TRUE(click(kKindDown));
    EXPECT_EQ(Injected(), "m2");
    EXPECT_TRUE(click(kKindUp));
    EXPECT_TRUE(click(kKindDown));
    EXPECT_EQ(Injected(), "");
    EXPECT_TRUE(click(kKindUp));
    EXPECT_EQ(Injected(), "m4");
    EXPECT_EQ(g_nStickyState[0], 0);

    // A release without a handled press passes.
    EXPECT_FALSE(Press(mbXLeft, kKindUp));

    // A reset (a profile switch) lets the held button go.
    EXPECT_TRUE(click(kKindDown));
    EXPECT_EQ(Injected(), "m2");
    EXPECT_TRUE(pw::AnyStickyActive());
    pw::ResetAllSticky(POINT{0, 0});
    EXPECT_EQ(Injected(), "m4");
    EXPECT_FALSE(pw::AnyStickyActive());

    // The X-axis drag locks Y while the drag lasts.
    Map(mbXLeft, actStickyLeftButtonXAxis);
    EXPECT_TRUE(click(kKindDown));
    EXPECT_TRUE(g_LockAxis.LockedY());
    EXPECT_FALSE(g_LockAxis.LockedX());
    EXPECT_TRUE(click(kKindUp));
    EXPECT_TRUE(click(kKindDown));
    EXPECT_TRUE(click(kKindUp));
    EXPECT_FALSE(g_LockAxis.Locked());
    EXPECT_EQ(Injected(), "m2 m4");
}

TEST_F(ActionDispatch, AxisLocksHoldTheCursorOnALine) {
    Map(mbXRight, actLockXAxisWhilePressed);
    EXPECT_TRUE(Press(mbXRight, kKindDown));
    EXPECT_TRUE(g_LockAxis.LockedX());

    // A movement is replaced by one along the free axis only, from where the cursor is.
    desktop.windows.SetCursor(POINT{500, 200});
    MSLLHOOKSTRUCT first{POINT{500, 200}, 0, 0, 1, 0};
    EXPECT_EQ(pw::MouseHookLLProc(0, pw::platform::kWmMouseMove, reinterpret_cast<LPARAM>(&first)),
              1);
    EXPECT_EQ(g_LockAxis.XPos(), 500);
    Injected();
    MSLLHOOKSTRUCT move{POINT{510, 300}, 0, 0, 2, 0};
    EXPECT_EQ(pw::MouseHookLLProc(0, pw::platform::kWmMouseMove, reinterpret_cast<LPARAM>(&move)),
              1);
    g_pSendInput->ProcessQueue();
    auto records = desktop.input.TakePending();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].mouse.dx, 0);
    EXPECT_EQ(records[0].mouse.dy, 100);
    EXPECT_EQ(records[0].mouse.extraInfo, reinterpret_cast<uintptr_t>(kMouseHook));

    const int reloads = desktop.systemParameters.CursorReloads();
    EXPECT_TRUE(Press(mbXRight, kKindUp));
    EXPECT_FALSE(g_LockAxis.Locked());
    EXPECT_EQ(desktop.systemParameters.CursorReloads(), reloads + 1);

    // The toggle locks on one press and unlocks on the next.
    Map(mbXRight, actLockYAxisToggle);
    EXPECT_TRUE(Press(mbXRight, kKindDown));
    EXPECT_TRUE(Press(mbXRight, kKindUp));
    EXPECT_TRUE(g_LockAxis.LockedY());
    EXPECT_TRUE(Press(mbXRight, kKindDown));
    EXPECT_FALSE(g_LockAxis.LockedY());
}

TEST_F(ActionDispatch, MovementScrollsWhileTheButtonIsHeld) {
    auto move = [&](long x, long y, DWORD time) {
        MSLLHOOKSTRUCT record{POINT{x, y}, 0, 0, time, 0};
        return pw::MouseHookLLProc(0, pw::platform::kWmMouseMove,
                                   reinterpret_cast<LPARAM>(&record));
    };
    Map(mbMiddle, actMovementToScrollLockAxis);
    EXPECT_TRUE(Press(mbMiddle, kKindDown, POINT{100, 100}));
    EXPECT_TRUE(MovementToScrollActive());
    // A lone event scrolls nothing; a burst with one time stamp builds up the next step.
    EXPECT_EQ(move(100, 90, 5), 1);
    EXPECT_EQ(Injected(), "");
    EXPECT_EQ(move(101, 80, 5), 1);
    EXPECT_EQ(move(101, 80, 6), 1);
    EXPECT_EQ(Injected(), "m800:200");
    EXPECT_EQ(g_MovementToScroll.lockState, pw::scroll::MovementAxisLock::VerticalOnly);
    EXPECT_TRUE(Press(mbMiddle, kKindUp));
    EXPECT_FALSE(MovementToScrollActive());
    EXPECT_EQ(g_MovementToScroll.lockState, pw::scroll::MovementAxisLock::None);

    // Inverted: moving up scrolls down.
    Map(mbMiddle, actMovementToScrollInverted);
    EXPECT_TRUE(Press(mbMiddle, kKindDown, POINT{100, 100}));
    move(100, 90, 7);
    move(100, 90, 7);
    move(100, 90, 8);
    EXPECT_EQ(Injected(), "m800:-100");
    EXPECT_TRUE(Press(mbMiddle, kKindUp));

    // The sticky form starts on a click and stops on the next one.
    Map(mbMiddle, actMovementToScrollSticky);
    auto click = [&](int kind) {
        const bool swallowed = Press(mbMiddle, kind);
        g_bDownHandled[mbMiddle] = kind == kKindDown && swallowed;
        return swallowed;
    };
    EXPECT_TRUE(click(kKindDown));
    EXPECT_TRUE(click(kKindUp));
    EXPECT_TRUE(MovementToScrollActive());
    EXPECT_TRUE(click(kKindDown));
    EXPECT_TRUE(click(kKindUp));
    EXPECT_FALSE(MovementToScrollActive());
}

TEST_F(ActionDispatch, ChordButtonsChangeWhatOtherButtonsDo) {
    auto* chords = new CVESKChords;
    CVESKChord typeX;
    typeX.SetAction(actSimulatedKeys);
    typeX.SetKeys(L"x");
    chords->SetChord(mbLeft, typeX);
    chords->SetDelayUntilChordKnown(true);
    Map(mbMiddle, actButtonChording);
    g_pCurrentApp->SetChords(mbMiddle, 0, chords);
    Map(mbLeft, actCopy);

    // Held middle: the left button plays its chord entry instead of its own action.
    EXPECT_TRUE(Press(mbMiddle, kKindDown));
    EXPECT_NE(g_pCurrentChord, nullptr);
    EXPECT_TRUE(Press(mbLeft, kKindDown));
    EXPECT_EQ(Injected(), "58+ 58-");
    EXPECT_TRUE(Press(mbLeft, kKindUp));
    EXPECT_EQ(Injected(), "");
    EXPECT_TRUE(Press(mbMiddle, kKindUp));
    EXPECT_EQ(g_pCurrentChord, nullptr);
    EXPECT_EQ(Injected(), "");

    // Released first while left is still down: left's entry ends now, its release later
    // is swallowed without an action.
    EXPECT_TRUE(Press(mbMiddle, kKindDown));
    EXPECT_TRUE(Press(mbLeft, kKindDown));
    Injected();
    g_bButtonDown[mbLeft] = true;
    EXPECT_TRUE(Press(mbMiddle, kKindUp));
    EXPECT_TRUE(g_bChordUsed[mbLeft]);
    g_bButtonDown[mbLeft] = false;
    EXPECT_TRUE(Press(mbLeft, kKindUp));
    EXPECT_EQ(Injected(), "");

    // Clicked alone with nothing to do: a plain middle click is sent at the release.
    EXPECT_TRUE(Press(mbMiddle, kKindDown));
    EXPECT_EQ(Injected(), "");
    EXPECT_TRUE(Press(mbMiddle, kKindUp));
    EXPECT_EQ(Injected(), "m20 m40");
    EXPECT_EQ(g_pCurrentChord, nullptr);
}

} // namespace
