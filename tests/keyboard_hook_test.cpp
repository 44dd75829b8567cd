#include "hook/display_changed.h"
#include "hook/find_hook.h"
#include "hook/keyboard_hook.h"
#include "hook/library.h"
#include "platform/sim/simulated_desktop.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "scroll/lock_axis.h"
#include "settings/application_settings.h"
#include "settings/layer_modifier_keys.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/replay_run.h"
#include "support/settings_files.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using pw::test::LineOf;
using pw::test::ReplayRun;
using pw::test::SettingsXml;

constexpr unsigned long kArrow = 32512;
constexpr int kLShift = 0xA0;
constexpr int kLControl = 0xA2;

std::string FieldOf(const std::string& line, const std::string& name) {
    const std::string field = "\"" + name + "\":";
    const size_t at = line.find(field);
    if (at == std::string::npos)
        return "-";
    const size_t start = at + field.size();
    const size_t end = line.find_first_of(",}", start);
    return line.substr(start, end - start);
}

std::string LayerModifierKeys(const std::string& slots) {
    return "<LayerModifierKeys Enable=\"true\">" + slots + "</LayerModifierKeys>";
}

// Layer key slot: modifier code and virtual key.
std::string Slot(int slot, int modifier, int key = 0) {
    return "<LayerKey" + std::to_string(slot) + " Key=\"" + std::to_string(key) + "\" Modifier=\"" +
           std::to_string(modifier) + "\"/>";
}

constexpr const char* kEditor = R"(
window doc process=editor.exe class=Frame caption="Doc" rect=0,0,1920,1080
foreground doc
move 400 300
)";

TEST(KeyboardHookReplay, LayerModifierSlotsSwitchWhileHeldAndRestoreWhenBroken) {
    // Four layers. Shift alone is the first layer, Shift+Control the second (and, again,
    // the third: only the first slot counts), Control+A the fourth; Shift+Control+Alt
    // names a fifth layer that does not exist. On the second layer XLeft types "x".
    const std::string slots = Slot(0, 1) + Slot(1, 3) + Slot(2, 3) + Slot(3, 2, 'A') + Slot(4, 7);
    ReplayRun run(SettingsXml("<Layers Number=\"4\"/>" + LayerModifierKeys(slots) +
                              "<Default><Layer1><XLeft action=\"28\" keys=\"x\" "
                              "keyaction=\"0\"/></Layer1></Default>"));
    auto lines = run.Play(std::string(kEditor) + R"(
key down 160
key down 162
down XLeft
up XLeft
key down 164
key up 164
key up 160
key down 65
key up 65
key up 162
)");
    EXPECT_EQ(FieldOf(LineOf(lines, "key down 160"), "layer"), "0");
    EXPECT_EQ(FieldOf(LineOf(lines, "key down 162"), "layer"), "1");
    EXPECT_EQ(FieldOf(LineOf(lines, "key down 162"), "result"), "\"passed\"");
    // The button of the second layer plays its keys while the combination is held.
    EXPECT_NE(LineOf(lines, "down XLeft").find("\"vk\":88"), std::string::npos);
    // The missing fifth layer does not switch, nor does its match let the layer go back.
    EXPECT_EQ(FieldOf(LineOf(lines, "key down 164"), "layer"), "1");
    EXPECT_EQ(FieldOf(LineOf(lines, "key up 164"), "layer"), "1");
    // Control alone matches nothing: back to the layer before the combination.
    EXPECT_EQ(FieldOf(LineOf(lines, "key up 160"), "layer"), "0");
    EXPECT_EQ(FieldOf(LineOf(lines, "key down 65"), "layer"), "3");
    EXPECT_EQ(FieldOf(LineOf(lines, "key up 65"), "layer"), "0");
    EXPECT_EQ(FieldOf(LineOf(lines, "key up 162"), "layer"), "0");
}

TEST(KeyboardHookReplay, AxisLockKeysHoldTheCursorOnALineAndShowIt) {
    // Control alone locks the X axis, Shift alone the Y axis.
    ReplayRun run(SettingsXml(LayerModifierKeys(Slot(5, 2) + Slot(6, 1))));
    auto lines = run.Play(std::string(kEditor) + R"(
key down 162
move 450 320
key up 162
move 470 340
key down 160
move 480 400
key up 160
)");
    EXPECT_EQ(FieldOf(LineOf(lines, "key down 162"), "cursor"), "\"x-lock\"");
    // The movement is swallowed and replaced by its vertical part alone.
    const std::string locked = LineOf(lines, "move 450 320");
    EXPECT_EQ(FieldOf(locked, "result"), "\"swallowed\"");
    EXPECT_NE(locked.find("\"type\":\"mouse\",\"flags\":\"0x1\",\"data\":0,\"dx\":0"),
              std::string::npos)
        << locked;
    EXPECT_EQ(FieldOf(LineOf(lines, "key up 162"), "cursor"), "\"system\"");
    EXPECT_EQ(FieldOf(LineOf(lines, "move 470 340"), "result"), "\"passed\"");
    EXPECT_EQ(FieldOf(LineOf(lines, "key down 160"), "cursor"), "\"y-lock\"");
    EXPECT_EQ(FieldOf(LineOf(lines, "move 480 400"), "result"), "\"swallowed\"");
    EXPECT_EQ(FieldOf(LineOf(lines, "key up 160"), "cursor"), "\"system\"");
}

TEST(KeyboardHookReplay, KeyReleaseEndsAStickyButtonWhenConfigured) {
    // Right makes the left button sticky; a typed key lets it go on its release.
    const std::string buttons = "<Default><Right action=\"49\"/></Default>";
    for (bool byKey : {true, false}) {
        SCOPED_TRACE(byKey);
        ReplayRun run(SettingsXml("<ResetSticky Enabled=\"false\" Key=\"" +
                                  std::string(byKey ? "true" : "false") + "\" Layer=\"false\"/>" +
                                  buttons));
        auto lines = run.Play(std::string(kEditor) + R"(
down Right
up Right
key down 65
key up 65
)");
        EXPECT_NE(LineOf(lines, "down Right").find("\"flags\":\"0x2\""), std::string::npos);
        EXPECT_EQ(LineOf(lines, "key down 65").find("\"type\":\"mouse\""), std::string::npos);
        const bool released =
            LineOf(lines, "key up 65").find("\"flags\":\"0x4\"") != std::string::npos;
        EXPECT_EQ(released, byKey) << LineOf(lines, "key up 65");
    }
}

TEST(KeyboardHookReplay, ModifiersCountByEitherSideKeyAndByTheGenericCode) {
    {
        // Right starts a sticky movement-to-scroll; a released key ends sticky buttons,
        // but Control's release keeps the scroll, whichever code reports it.
        ReplayRun run(SettingsXml("<ResetSticky Enabled=\"false\" Key=\"true\" Layer=\"false\"/>"
                                  "<Default><Right action=\"80\"/></Default>"));
        auto lines = run.Play(std::string(kEditor) + R"(
down Right
up Right
key down 163
key up 163
key down 17
key up 17
move 420 340
key down 161
key up 161
)");
        EXPECT_EQ(FieldOf(LineOf(lines, "down Right"), "cursor"), "\"scroll\"");
        for (const char* event : {"key up 163", "key up 17"})
            EXPECT_EQ(FieldOf(LineOf(lines, event), "cursor"), "-") << event;
        EXPECT_EQ(FieldOf(LineOf(lines, "move 420 340"), "result"), "\"swallowed\"");
        // Shift's release is any other key: the scroll ends.
        EXPECT_EQ(FieldOf(LineOf(lines, "key up 161"), "cursor"), "\"system\"");
    }
    {
        // Control alone selects the second layer, also by its generic code; a slot naming
        // the generic Shift key is held by either Shift key.
        ReplayRun run(SettingsXml("<Layers Number=\"3\"/>" +
                                  LayerModifierKeys(Slot(1, 2) + Slot(2, 0, 0x10))));
        auto lines = run.Play(std::string(kEditor) + R"(
key down 17
key up 17
key down 161
key up 161
)");
        EXPECT_EQ(FieldOf(LineOf(lines, "key down 17"), "layer"), "1");
        EXPECT_EQ(FieldOf(LineOf(lines, "key up 17"), "layer"), "0");
        EXPECT_EQ(FieldOf(LineOf(lines, "key down 161"), "layer"), "2");
        EXPECT_EQ(FieldOf(LineOf(lines, "key up 161"), "layer"), "0");
    }
}

// The editor has a profile of its own; the browser has the default profile.
std::string TwoProfiles(const std::string& editorButtons) {
    return SettingsXml("<SwitchOnMouseOver Enable=\"false\"/><Applications><Application "
                       "Name=\"notepad.exe\" Description=\"Notepad\" Enabled=\"true\">" +
                       editorButtons + "</Application></Applications>");
}

constexpr const char* kEditorAndBrowser = R"(
window browser process=firefox.exe class=MozillaWindowClass caption="Start" rect=0,0,900,700
window editor process=notepad.exe class=Notepad caption="notes" rect=950,0,900,700
foreground browser
move 300 300
down Left
up Left
)";

TEST(KeyboardHookReplay, AltReleaseFollowsTheFrontWindowUnlessAButtonIsHeld) {
    ReplayRun run(TwoProfiles("<XLeft action=\"28\" keys=\"n\" keyaction=\"0\"/>"));
    auto lines = run.Play(std::string(kEditorAndBrowser) + R"(
key down 164
key down 9
key up 9
foreground editor
key up 164
wait 190
key down 16
wait 20
key up 16
)");
    // The check runs 200 ms after Alt is let go, without a click.
    EXPECT_EQ(FieldOf(LineOf(lines, "key up 164"), "profile"), "\"\"");
    EXPECT_EQ(FieldOf(LineOf(lines, "key down 16"), "profile"), "\"\"");
    EXPECT_NE(FieldOf(LineOf(lines, "key up 16"), "profile"), "\"\"");

    // Back to the browser with the left button held: the switch waits for the next press.
    lines = run.Play(R"(
down Left
key down 164
foreground browser
key up 164
wait 250
key down 16
up Left
down Left
up Left
)");
    EXPECT_NE(FieldOf(LineOf(lines, "key down 16"), "profile"), "\"\"");
    EXPECT_EQ(FieldOf(lines.back(), "profile"), "\"\"");
}

TEST(KeyboardHookReplay, RepeatEndsWhenTheCursorLeavesForAnotherProfile) {
    // Right turns the wheel down in the editor for as long as it is held; the desktop
    // around it has the default profile, where Right does nothing.
    ReplayRun run(
        SettingsXml("<Applications><Application Name=\"notepad.exe\" Enabled=\"true\"><Right "
                    "action=\"43\"/></Application></Applications>"));
    auto lines = run.Play(R"(
window desktop process=explorer.exe class=Progman caption="Program Manager" rect=0,0,1920,1080
window editor process=notepad.exe class=Notepad caption="notes" rect=100,100,800,600
foreground editor
move 400 400
down Right
wait 1000
move 1500 900
wait 1000
up Right
)");
    const std::string over = LineOf(lines, "wait 1000");
    EXPECT_NE(over.find("\"type\":\"mouse\""), std::string::npos) << over;
    // After the move no timer line follows: the repeat ended at its next step.
    size_t waits = 0;
    for (const std::string& line : lines)
        waits += FieldOf(line, "event") == "\"wait 1000\"";
    EXPECT_LE(waits, 1u);
    const std::string after = lines[lines.size() - 2];
    EXPECT_NE(FieldOf(after, "event"), "\"wait 1000\"") << after;
}

// Direct calls into the keyboard hook on the simulated desktop.
class KeyboardHookTest : public ::testing::Test {
  protected:
    void SetUp() override {
        pw::runtime::RegisterMessages();
        CLogger::EnableDebug(true);
        g_pCurrentApp = g_pSettings->GetDefaultApp();
        g_pSettings->SetMaxLayers(4);
        g_pSettings->SetLayerModifierKeysEnabled(true);
    }
    void TearDown() override {
        CLogger::EnableDebug(false);
        pw::hook::ResetLibraryState();
    }

    void SetSlot(int slot, unsigned short modifier, unsigned short key = 0) {
        CHotkey* entry =
            g_pSettings->GetLayerModifierKeys()->GetHotkey(static_cast<ModifierKeys>(slot));
        entry->SetModifier(modifier);
        entry->SetVirtualKey(key);
    }
    // One key event through the hook; checks that it was passed on.
    void Key(DWORD virtualKey, bool up, DWORD flags = 0, uintptr_t extra = 0) {
        KBDLLHOOKSTRUCT record{virtualKey, 0, flags | (up ? 0x80u : 0u), 0, extra};
        const int before = desktop.input.NextHookCalls();
        pw::KeyHookLLProc(0, up ? 0x101 : 0x100, reinterpret_cast<LPARAM>(&record));
        EXPECT_EQ(desktop.input.NextHookCalls(), before + 1) << "key " << virtualKey;
    }
    bool Logged(StringView text) { return desktop.diagnostics.DebugOutputContains(text); }

    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
};

TEST_F(KeyboardHookTest, ImpossibleCodeAsksForReinstallationAndPassesOn) {
    const pw::runtime::RegisteredMessages& ids = pw::runtime::Messages();
    desktop.messages.TakeRecorded();
    Key(256, false);
    EXPECT_TRUE(Logged(L"WARNING: KBDhook: VKCode=256 (>255) which should not happen."));
    EXPECT_TRUE(Logged(L"         Keyboard hook will be reset."));
    bool asked = false;
    for (const pw::sim::SimMessage& message : desktop.messages.TakeRecorded())
        asked |= message.message == ids.resetHook && message.wParam == pw::runtime::kWpKeyHook &&
                 message.threadId == desktop.messages.CurrentThreadId();
    EXPECT_TRUE(asked);

    // A negative code and a missing record are passed on untouched.
    const int before = desktop.input.NextHookCalls();
    pw::KeyHookLLProc(-1, 0x100, 0);
    pw::KeyHookLLProc(0, 0x100, 0);
    EXPECT_EQ(desktop.input.NextHookCalls(), before + 2);
    EXPECT_FALSE(g_bInputSeen);
}

TEST_F(KeyboardHookTest, OwnKeysAreTrackedButChangeNoLayer) {
    SetSlot(1, 2);
    g_hKeyboardHook = reinterpret_cast<HHOOK>(uintptr_t{0x7777});
    Key(kLControl, false, 0x10, 0x7777);
    EXPECT_EQ(g_KeyState[kLControl], 0x80);
    EXPECT_EQ(g_nCurrentLayer, 0);
    EXPECT_TRUE(Logged(L"Ignoring key injected by Pallawick"));
    // Another program's injected key counts as typed.
    Key(kLControl, false, 0x10, 0x1234);
    EXPECT_EQ(g_nCurrentLayer, 1);
    Key(kLControl, true);
    EXPECT_EQ(g_nCurrentLayer, 0);
    EXPECT_EQ(g_nLayerBeforeModifier, -1);
}

TEST_F(KeyboardHookTest, AltReleaseArmsTheKeySwitchTimerEachTime) {
    Key(0xA5, false);
    EXPECT_FALSE(desktop.timers.IsRunning(0x1010));
    // Each release starts the 200 ms over.
    for (int round = 0; round < 2; ++round) {
        Key(0xA5, true);
        EXPECT_EQ(desktop.timers.DueIn(0x1010), 200);
        EXPECT_EQ(g_uKeySwitchTimer, 0x1010u);
        desktop.timers.AdvanceAndFire(150);
    }
    EXPECT_TRUE(Logged(L"KeyHookLLProc: ALT (0xA5) released, Started 200ms KeySwitchTimer ID: "
                       L"0x00001010"));
    desktop.timers.AdvanceAndFire(50);
    EXPECT_EQ(g_uKeySwitchTimer, 0u);
    EXPECT_FALSE(desktop.timers.IsRunning(0x1010));
    EXPECT_TRUE(Logged(L"KeySwitchTimerProc: Checking active app profile..."));
}

TEST_F(KeyboardHookTest, ExportedAxisLocksNeedAxisLockingAndOutliveLockKeys) {
    SetSlot(5, 2);
    LockXAxisIfPossible();
    EXPECT_FALSE(g_LockAxis.Locked());
    EXPECT_EQ(desktop.cursors.ShownResource(kArrow), 0u);

    g_pCurrentApp->SetAxisLocking(true);
    LockYAxisIfPossible();
    EXPECT_TRUE(g_LockAxis.LockedY());
    EXPECT_EQ(desktop.cursors.ShownResource(kArrow), 106u);
    EXPECT_EQ(desktop.cursors.ReplacedCount(), 16u);
    // A key that matches no axis slot leaves a lock it did not set.
    Key(kLShift, false);
    Key(kLShift, true);
    EXPECT_TRUE(g_LockAxis.LockedY());
    LockXAxisIfPossible();
    EXPECT_EQ(desktop.cursors.ShownResource(kArrow), 107u);
    g_LockAxis.UnlockY(false);
    EXPECT_EQ(desktop.cursors.ShownResource(kArrow), 105u);
    g_LockAxis.Unlock(false);
    EXPECT_EQ(desktop.cursors.ShownResource(kArrow), 0u);

    // The lock key's own lock ends with its combination.
    Key(kLControl, false);
    EXPECT_TRUE(g_LockAxis.LockedX());
    EXPECT_TRUE(g_LockAxis.OwnedByKey());
    Key(kLControl, true);
    EXPECT_FALSE(g_LockAxis.Locked());
    EXPECT_EQ(desktop.cursors.ShownResource(kArrow), 0u);
}

TEST_F(KeyboardHookTest, FindHookReportsMovementsToItsTarget) {
    const pw::runtime::RegisteredMessages& ids = pw::runtime::Messages();
    HWND target = desktop.windows.CreateTopLevel(L"Finder", RECT{0, 0, 100, 100});
    const size_t mouseHooks = desktop.hooks.CountOf(pw::platform::Hooks::Kind::MouseLowLevel);
    ASSERT_TRUE(SetFindHook(target));
    ASSERT_TRUE(SetFindHook(target)); // replaces the first
    EXPECT_EQ(desktop.hooks.CountOf(pw::platform::Hooks::Kind::MouseLowLevel), mouseHooks + 1);

    desktop.messages.TakeRecorded();
    MSLLHOOKSTRUCT move{POINT{640, 480}, 0, 0, 0, 0};
    const int before = desktop.input.NextHookCalls();
    pw::hook::FindHookLLProc(0, 0x200, reinterpret_cast<LPARAM>(&move));
    pw::hook::FindHookLLProc(0, 0x201, reinterpret_cast<LPARAM>(&move));
    pw::hook::FindHookLLProc(-1, 0x200, reinterpret_cast<LPARAM>(&move));
    EXPECT_EQ(desktop.input.NextHookCalls(), before + 3);
    int hovers = 0;
    for (const pw::sim::SimMessage& message : desktop.messages.TakeRecorded()) {
        if (message.message != ids.findHover)
            continue;
        ++hovers;
        EXPECT_EQ(message.window, target);
        EXPECT_EQ(message.wParam, 640u);
        EXPECT_EQ(message.lParam, 480);
    }
    EXPECT_EQ(hovers, 1);

    EXPECT_TRUE(RemoveFindHook());
    EXPECT_EQ(desktop.hooks.CountOf(pw::platform::Hooks::Kind::MouseLowLevel), mouseHooks);
    EXPECT_TRUE(RemoveFindHook());
    // A hook the system dropped cannot be removed; the failure is reported.
    ASSERT_TRUE(SetFindHook(target));
    desktop.hooks.DropHooks(pw::platform::Hooks::Kind::MouseLowLevel);
    EXPECT_FALSE(RemoveFindHook());
}

TEST_F(KeyboardHookTest, DisplayChangedRecordsThePrimaryScreen) {
    DisplayChanged();
    EXPECT_EQ(g_nScreenWidth, 1920);
    EXPECT_EQ(g_nScreenHeight, 1080);
    desktop.windows.SetLogicalScale(1.5);
    DisplayChanged();
    EXPECT_EQ(g_nScreenWidth, 1280);
    EXPECT_EQ(g_nScreenHeight, 720);
}

TEST(LibraryCursors, LoadedAtAttachAndDestroyedAtDetach) {
    pw::sim::SimulatedDesktop desktop;
    {
        pw::hook::LibraryScope library;
        EXPECT_EQ(desktop.cursors.LiveCount(), 6u);
        g_LockAxis.LockX(true);
        EXPECT_EQ(desktop.cursors.ShownResource(kArrow), 105u);
        g_LockAxis.Unlock(true);
    }
    EXPECT_EQ(desktop.cursors.LiveCount(), 0u);
    EXPECT_EQ(desktop.cursors.ReplacedCount(), 0u);
}

} // namespace
