#include "actions/action_state.h"
#include "actions/layers.h"
#include "actions/process_button.h"
#include "hook/flag_functions.h"
#include "hook/library.h"
#include "platform/sim/simulated_desktop.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "scroll/lock_axis.h"
#include "settings/application_settings.h"
#include "settings/chord.h"
#include "settings/settings.h"
#include "support/action_recorder.h"
#include "support/logger.h"
#include "support/settings_files.h"
#include "support/thread_lock.h"
#include "windows/profile_matching.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using pw::actions::kKindDoubleClick;
using pw::actions::kKindDown;
using pw::actions::kKindUp;
using pw::sim::SimMessage;
using pw::sim::SimProcess;
using pw::sim::SimWindowSpec;

constexpr unsigned long kNotepadPid = 100;
constexpr unsigned long kCalcPid = 200;
constexpr unsigned long kFoobarPid = 300;
constexpr unsigned long kPhotosPid = 400;
constexpr unsigned long kInputHostPid = 500;

class ProcessButtonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        CLogger::EnableDebug(true);
        pw::runtime::RegisterMessages();
        desktop.files.CreateDirectory(L"C:\\x");
        AddProcess(kNotepadPid, L"C:\\Windows\\notepad.exe");
        AddProcess(kCalcPid, L"C:\\Windows\\calc.exe");
        AddProcess(kFoobarPid, L"C:\\Music\\foobar2000.exe");
        AddProcess(kPhotosPid, L"C:\\Apps\\photos.exe");
        AddProcess(kInputHostPid, L"C:\\Windows\\inputhost.exe");
        notepad = TopLevel(L"Notepad", RECT{0, 0, 400, 400}, kNotepadPid);
        calc = TopLevel(L"CalcFrame", RECT{500, 0, 900, 400}, kCalcPid);
        setup = TopLevel(L"SetupWindow", RECT{0, 900, 100, 1000}, 900);
        SetSetupWindow(setup);
    }
    void TearDown() override {
        SetSetupWindow(nullptr);
        pw::hook::ResetLibraryState();
        CLogger::EnableDebug(false);
    }

    void AddProcess(unsigned long pid, const Char* path) {
        SimProcess process;
        process.processId = pid;
        process.imagePath = path;
        desktop.processes.Add(process);
    }
    HWND TopLevel(const Char* className, RECT rect, unsigned long pid) {
        SimWindowSpec spec;
        spec.className = className;
        spec.rect = rect;
        spec.processId = pid;
        spec.threadId = pid + 1;
        return desktop.windows.Create(spec);
    }

    // Loads profiles for the given names (plain process names, or with a window mask)
    // into the library's settings object, so that the lookup lists are built.
    void LoadProfiles(std::vector<std::pair<const Char*, WINDOWMASK>> names) {
        CSettings original;
        for (auto [name, mask] : names) {
            auto* profile = new CApplicationSettings(&original, false);
            profile->SetApplication(name);
            profile->SetWindowMask(mask);
            original.AddApplication(profile);
        }
        ASSERT_TRUE(original.Save(pw::test::kSettingsPath));
        ASSERT_TRUE(g_pSettings->Load(pw::test::kSettingsPath, g_bQuadrantsUsed, false));
        g_pSettings->SetSwitchOnMouseOver(false);
    }
    CApplicationSettings* Profile(int index) { return g_pSettings->GetApplication(index); }
    CApplicationSettings* Default() { return g_pSettings->GetDefaultApp(); }

    // Focus on window (its thread's focus window focus, when given).
    void Focus(HWND window, HWND focus = nullptr) {
        desktop.windows.SetForeground(window);
        unsigned long pid = 0;
        unsigned long thread = desktop.windows.ThreadProcessId(window, &pid);
        desktop.windows.SetGuiThread(thread, {window, focus});
    }

    bool Press(int button, int kind, POINT pt = POINT{10, 10}, bool skipWindowCheck = false) {
        MSLLHOOKSTRUCT record{};
        record.pt = pt;
        passOriginal = true;
        keysSent = true;
        bool injected = false;
        CThreadLock lock(L"ProcessButtonTest");
        return pw::ProcessButton(button, kind, skipWindowCheck, &record, &passOriginal, &keysSent,
                                 &injected);
    }
    // The last action request, or an empty one when none was made.
    pw::test::ActionRequest Last() { return recorder.Last(); }

    std::vector<SimMessage> Messages(unsigned id) {
        std::vector<SimMessage> found;
        for (const SimMessage& message : desktop.messages.Recorded())
            if (message.message == id)
                found.push_back(message);
        return found;
    }
    std::vector<SimMessage> ProcessChanged() {
        return Messages(pw::runtime::Messages().processChanged);
    }
    std::vector<SimMessage> ButtonsProcessed() {
        return Messages(pw::runtime::Messages().buttonProcessed);
    }
    bool Logged(StringView text) { return desktop.diagnostics.DebugOutputContains(text); }

    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
    pw::test::ActionRecorder recorder;
    HWND notepad = nullptr;
    HWND calc = nullptr;
    HWND setup = nullptr;
    bool passOriginal = false;
    bool keysSent = false;
};

TEST_F(ProcessButtonTest, ProfileFollowsTheFocusWindowOrTheWindowUnderTheCursor) {
    LoadProfiles({{L"notepad.exe", wmWholeWindow}, {L"calc.exe", wmWholeWindow}});
    Default()->SetActions(mbLeft, 0, actBack);
    Profile(0)->SetActions(mbLeft, 0, actForward);
    Profile(1)->SetActions(mbLeft, 0, actCopy);
    HWND edit = desktop.windows.CreateChild(notepad, L"Edit", RECT{10, 10, 390, 390});

    // Without switching on mouse over: the focus window of the foreground window's thread,
    // even with the cursor over another program.
    Focus(notepad, edit);
    EXPECT_TRUE(Press(mbLeft, kKindDown, POINT{600, 100}));
    EXPECT_FALSE(passOriginal);
    EXPECT_FALSE(keysSent);
    EXPECT_EQ(Last().action, actForward);
    EXPECT_EQ(Last().hwnd, edit);
    EXPECT_EQ(Last().source, Profile(0));
    EXPECT_EQ(g_pCurrentApp, Profile(0));
    EXPECT_EQ(g_hLastWindow, edit);
    EXPECT_STREQ(g_szLastProcess, L"notepad.exe");
    ASSERT_EQ(ProcessChanged().size(), 1u);
    EXPECT_EQ(ProcessChanged()[0].window, setup);
    EXPECT_EQ(ProcessChanged()[0].wParam, reinterpret_cast<WPARAM>(edit));
    EXPECT_EQ(ProcessChanged()[0].lParam, reinterpret_cast<LPARAM>(Profile(0)));
    EXPECT_TRUE(Logged(L"ProcessButton: Profile/active app/window change (due to mouse button) "
                       L"from <unknown> to 'notepad.exe'."));

    // Under the cursor.
    g_pSettings->SetSwitchOnMouseOver(true);
    Press(mbLeft, kKindDown, POINT{600, 100});
    EXPECT_EQ(Last().action, actCopy);
    EXPECT_EQ(Last().hwnd, calc);
    EXPECT_TRUE(Logged(L"ProcessButton: Profile/active app/window change (due to mouse button) "
                       L"from 'notepad.exe' to 'calc.exe'."));

    // The same window again: no class or process query, no change reported.
    int opened = desktop.processes.OpenCount();
    int classQueries = desktop.windows.ClassNameQueries();
    Press(mbLeft, kKindUp, POINT{610, 110});
    // Over no window at all: the last window stays.
    Press(mbLeft, kKindDown, POINT{2000, 2000});
    EXPECT_EQ(Last().hwnd, calc);
    EXPECT_EQ(Last().action, actCopy);
    EXPECT_EQ(desktop.processes.OpenCount(), opened);
    EXPECT_EQ(desktop.windows.ClassNameQueries(), classQueries);
    EXPECT_EQ(ProcessChanged().size(), 2u);

    // Skipping the window check keeps the profile whatever is under the cursor.
    Press(mbLeft, kKindDown, POINT{100, 100}, true);
    EXPECT_EQ(Last().action, actCopy);
    EXPECT_TRUE(Last().skipWindowCheck);
    EXPECT_EQ(g_pCurrentApp, Profile(1));

    // A new window of a process whose profile is already current only becomes the last
    // window.
    HWND calc2 = TopLevel(L"CalcFrame", RECT{0, 500, 400, 900}, kCalcPid);
    Press(mbLeft, kKindDown, POINT{100, 600});
    EXPECT_EQ(g_hLastWindow, calc2);
    EXPECT_EQ(ProcessChanged().size(), 2u);
    EXPECT_TRUE(Logged(L"ProcessButton: Profile has not changed when hWnd changed to"));

    // Every processed event is posted to the setup window as (button, kind).
    std::vector<SimMessage> posted = ButtonsProcessed();
    ASSERT_EQ(posted.size(), 6u);
    EXPECT_EQ(posted[2].kind, SimMessage::Kind::Posted);
    EXPECT_EQ(posted[2].wParam, static_cast<WPARAM>(mbLeft));
    EXPECT_EQ(posted[2].lParam, kKindUp);
}

TEST_F(ProcessButtonTest, QuarterChangeRerunsTheLookupWithTheStoredName) {
    LoadProfiles({{L"notepad.exe", wmTopRight}});
    ASSERT_TRUE(g_bQuadrantsUsed);
    Profile(0)->SetActions(mbLeft, 0, actForward);
    Default()->SetActions(mbLeft, 0, actBack);
    Focus(notepad);

    Press(mbLeft, kKindDown, POINT{50, 50});
    EXPECT_EQ(Last().action, actBack);
    int opened = desktop.processes.OpenCount();
    // Making a profile current stores its mask as the quarter, so the next event in the
    // window looks again.
    Press(mbLeft, kKindDown, POINT{60, 60});
    EXPECT_TRUE(Logged(L"ProcessButton: Quadrant changed from 15 to 1"));
    EXPECT_EQ(g_pCurrentApp, Default());

    Press(mbLeft, kKindDown, POINT{300, 50});
    EXPECT_EQ(Last().action, actForward);
    EXPECT_EQ(g_pCurrentApp, Profile(0));
    EXPECT_TRUE(g_bQuadrantRestricted);
    EXPECT_TRUE(Logged(L"ProcessButton: Quadrant changed from 1 to 2"));
    EXPECT_EQ(desktop.processes.OpenCount(), opened);
    EXPECT_STREQ(g_szLastProcess, L"notepad.exe");

    Press(mbLeft, kKindDown, POINT{50, 300});
    EXPECT_EQ(Last().action, actBack);
    EXPECT_FALSE(g_bQuadrantRestricted);
    EXPECT_EQ(desktop.processes.OpenCount(), opened);
}

TEST_F(ProcessButtonTest, StoreAppInputWindowIsTracedToItsRootWindow) {
    LoadProfiles({{L"photos.exe", wmWholeWindow}});
    Profile(0)->SetActions(mbMiddle, 0, actCopy);
    HWND frame = TopLevel(L"PhotosFrame", RECT{0, 500, 400, 900}, kPhotosPid);
    SimWindowSpec input;
    input.className = L"windows.ui.core.corecomponentinputsource";
    input.rect = RECT{10, 510, 390, 890};
    input.parent = frame;
    input.processId = kInputHostPid;
    input.threadId = kInputHostPid + 1;
    desktop.windows.Create(input);
    g_pSettings->SetSwitchOnMouseOver(true);

    Press(mbMiddle, kKindDown, POINT{100, 600});
    EXPECT_EQ(Last().action, actCopy);
    EXPECT_EQ(Last().hwnd, frame);
    EXPECT_EQ(g_hLastWindow, frame);
    EXPECT_STREQ(g_szLastProcess, L"photos.exe");
    EXPECT_TRUE(Logged(L"is Windows.UI.Core.CoreComponentInputSource. Getting root window "
                       L"handle..."));
}

TEST_F(ProcessButtonTest, LeavingFoobarPassesTheSwitchingEventOn) {
    LoadProfiles({{L"foobar2000.exe", wmWholeWindow}, {L"notepad.exe", wmWholeWindow}});
    Profile(0)->SetActions(mbLeft, 0, actForward);
    HWND foobar = TopLevel(L"Foobar", RECT{0, 500, 400, 900}, kFoobarPid);
    Focus(foobar);
    Press(mbLeft, kKindDown);
    EXPECT_FALSE(passOriginal);
    EXPECT_EQ(g_pCurrentApp, Profile(0));

    // Axis locks of a button end with a profile without axis locking.
    g_LockAxis.LockX(false);
    Focus(notepad);
    Press(mbLeft, kKindDown);
    EXPECT_FALSE(g_LockAxis.Locked());
    EXPECT_TRUE(passOriginal);
    EXPECT_EQ(g_pCurrentApp, Profile(1));
    EXPECT_TRUE(Logged(L"ProcessButton: Previous process was Foobar2000.exe."));
    Press(mbLeft, kKindDown);
    EXPECT_FALSE(passOriginal);
}

TEST_F(ProcessButtonTest, SwitchDuringAHeldButtonWaitsUnlessTheNewActionIsSticky) {
    LoadProfiles({{L"notepad.exe", wmWholeWindow}, {L"calc.exe", wmWholeWindow}});
    CApplicationSettings* notepadProfile = Profile(0);
    CApplicationSettings* calcProfile = Profile(1);
    notepadProfile->SetActions(mbLeft, 0, actForward);
    calcProfile->SetActions(mbLeft, 0, actCopy);
    notepadProfile->SetActions(mbRight, 0, actMiddleClick);
    calcProfile->SetActions(mbRight, 0, actStickyRightButton);
    Focus(notepad);
    Press(mbLeft, kKindDown);
    ASSERT_EQ(g_pCurrentApp, notepadProfile);

    // Released over another program: the press's profile processes the release, and the
    // setup window still hears of the new profile.
    Focus(calc);
    Press(mbLeft, kKindUp);
    EXPECT_EQ(Last().action, actForward);
    EXPECT_EQ(Last().source, notepadProfile);
    EXPECT_EQ(g_pCurrentApp, notepadProfile);
    EXPECT_EQ(g_hLastWindow, notepad);
    EXPECT_STREQ(g_szLastProcess, L"notepad.exe");
    ASSERT_EQ(ProcessChanged().size(), 2u);
    EXPECT_EQ(ProcessChanged()[1].lParam, reinterpret_cast<LPARAM>(calcProfile));
    EXPECT_TRUE(Logged(L"Ignoring app switch until NEXT button down!"));

    // The next event detects the switch again.
    Press(mbLeft, kKindDown);
    EXPECT_EQ(Last().action, actCopy);
    EXPECT_EQ(g_pCurrentApp, calcProfile);

    // A sticky button in the new profile switches at once, but the release still belongs
    // to the action that took the press.
    Focus(notepad);
    Press(mbRight, kKindDown);
    ASSERT_EQ(g_pCurrentApp, notepadProfile);
    const int pressAction = Last().action;
    Focus(calc);
    Press(mbRight, kKindUp);
    EXPECT_EQ(Last().action, pressAction);
    EXPECT_EQ(Last().source, notepadProfile);
    EXPECT_EQ(g_pCurrentApp, calcProfile);
    EXPECT_EQ(g_hLastWindow, calc);
}

TEST_F(ProcessButtonTest, LayerOneAndDefaultProfileIndirections) {
    LoadProfiles({{L"notepad.exe", wmWholeWindow}});
    CApplicationSettings* app = Profile(0);
    Default()->SetActions(mbLeft, 0, actPaste);
    Default()->SetActions(mbRight, 2, actCut);
    app->SetActions(mbLeft, 2, actSameAsLayer1);
    app->SetActions(mbLeft, 0, actSameAsDefaultProfile);
    app->SetActions(mbRight, 2, actSameAsDefaultProfile);
    app->SetActions(mbMiddle, 2, actSameAsLayer1);
    app->SetKeystrokes(mbMiddle, 0, L"abc", 0, 0, true, true, false);
    app->SetActions(mbMiddle, 0, actSimulatedKeys);
    Focus(notepad);
    g_nCurrentLayer = 2;

    // 82 then 74: the default profile's layer-1 action.
    Press(mbLeft, kKindDown);
    EXPECT_EQ(Last().action, actPaste);
    EXPECT_EQ(Last().layer, 0);
    EXPECT_EQ(Last().source, Default());
    EXPECT_TRUE(Logged(L"Translating Left Button Down Key state 0x0: Action 82 (** Same As Layer "
                       L"1 (current profile) **) becomes Action 16 [Paste (Ctrl+V)]"));

    // 74 alone keeps the layer.
    Press(mbRight, kKindDown);
    EXPECT_EQ(Last().action, actCut);
    EXPECT_EQ(Last().layer, 2);
    EXPECT_EQ(Last().source, Default());

    // 82 to simulated keys: the keys and the send mode are named, with the key state.
    desktop.input.SetKeyDown(pw::platform::kVkShift, true);
    desktop.input.SetKeyDown(pw::platform::kVkMButton, true);
    Press(mbMiddle, kKindDown);
    EXPECT_EQ(Last().action, actSimulatedKeys);
    EXPECT_EQ(Last().source, app);
    EXPECT_TRUE(Logged(L"Translating Middle Button Down Key state 0x14: Action 82 (** Same As "
                       L"Layer 1 (current profile) **) becomes Action 28 [Simulated Keys 'abc' "
                       L"(pressed)]"));

    // Unchanged actions, and the office-mouse button names.
    g_nCurrentLayer = 0;
    g_pSettings->SetOfficeMouse(true);
    app->SetActions(mbTiltLeft, 0, actBack);
    Press(mbTiltLeft, 3);
    EXPECT_TRUE(Logged(L"Translating OfficeMouseMiddle Button DblClick Key state 0x14: Action 3 "
                       L"[Back]"));
}

TEST_F(ProcessButtonTest, ChordReleasesAndThirdButtonsAreSwallowed) {
    LoadProfiles({});
    Default()->SetActions(mbMiddle, 0, actButtonChording);
    Default()->SetActions(mbRight, 0, actBack);
    Focus(notepad);
    CVESKChords chords;
    chords.GetChord(mbRight)->SetAction(actCopy);
    chords.GetChord(mbXLeft)->SetAction(actPaste);
    CVESKChord* source = chords.GetChord(mbMiddle);
    source->SetChordSourceButton(mbMiddle);
    source->SetCurrentChords(&chords);
    g_pCurrentChord = source;

    // A partner press plays its chord entry and becomes the chorded button.
    Press(mbRight, kKindDown);
    EXPECT_EQ(Last().action, actCopy);
    EXPECT_EQ(source->GetChordedButton(), mbRight);
    g_bButtonDown[mbRight] = true;

    // A third button while the chorded one is held: swallowed, no action.
    size_t requests = recorder.Requests().size();
    EXPECT_TRUE(Press(mbXLeft, kKindDown));
    EXPECT_EQ(recorder.Requests().size(), requests);

    // The chord button's release keeps its own action, which releases the chorded entry
    // of the button still held.
    requests = recorder.Requests().size();
    Press(mbMiddle, kKindUp);
    ASSERT_EQ(recorder.Requests().size(), requests + 2);
    EXPECT_EQ(recorder.Requests()[requests].action, actButtonChording);
    EXPECT_EQ(Last().action, actCopy);
    EXPECT_EQ(Last().kind, kKindUp);
    EXPECT_TRUE(Logged(L"Chording: Release original chord button"));
    EXPECT_EQ(g_pCurrentChord, nullptr);

    // The release of a button played in a chord is swallowed once, unseen.
    g_bChordUsed[mbRight] = true;
    size_t posted = ButtonsProcessed().size();
    requests = recorder.Requests().size();
    EXPECT_TRUE(Press(mbRight, kKindUp));
    EXPECT_EQ(recorder.Requests().size(), requests);
    EXPECT_EQ(ButtonsProcessed().size(), posted);
    EXPECT_FALSE(g_bChordUsed[mbRight]);
    Press(mbRight, kKindUp);
    EXPECT_EQ(Last().action, actBack);
}

TEST_F(ProcessButtonTest, HandledReleaseOfAnUnseenPressPassesWhileTheButtonIsDown) {
    LoadProfiles({});
    Focus(notepad);
    pw::test::SwallowEveryButton(*g_pSettings);

    EXPECT_TRUE(Press(mbLeft, kKindDown));
    EXPECT_TRUE(g_bDownHandled[mbLeft]);
    desktop.input.SetKeyDown(pw::platform::kVkLButton, true);
    EXPECT_TRUE(Press(mbLeft, kKindUp));
    EXPECT_FALSE(g_bDownHandled[mbLeft]);

    // The press was not seen, the button is still down: the release goes to the system.
    EXPECT_FALSE(Press(mbLeft, kKindUp));
    EXPECT_TRUE(Logged(L"ProcessButton: Button is down but we didn't see it."));
    // Wheel-down has no key and is always up.
    EXPECT_TRUE(Press(mbWheelDown, kKindUp));
    desktop.input.SetKeyDown(pw::platform::kVkLButton, false);
    EXPECT_TRUE(Press(mbLeft, kKindUp));

    // Unhandled events leave the bookkeeping alone.
    EXPECT_TRUE(Press(mbLeft, kKindDown));
    g_pCurrentApp->SetActions(mbLeft, 0, actNoChange);
    EXPECT_FALSE(Press(mbLeft, kKindDoubleClick));
    EXPECT_TRUE(g_bDownHandled[mbLeft]);
    // The release belongs to the double click, whose slot no longer handles anything.
    EXPECT_FALSE(Press(mbLeft, kKindUp));

    // Invalid buttons are refused.
    EXPECT_FALSE(Press(9, kKindDown));
    EXPECT_FALSE(Press(-1, kKindUp));
}

TEST_F(ProcessButtonTest, ProfileSwitchEndsALayerShiftTheNewProfileCannotEnd) {
    LoadProfiles({{L"notepad.exe", wmBottomLeft}, {L"calc.exe", wmWholeWindow}});
    HWND mainWindow = TopLevel(L"Main", RECT{0, 0, 10, 10}, 901);
    SetHookMainWindow(mainWindow);
    CApplicationSettings* first = Profile(0);
    CApplicationSettings* same = Profile(1);
    first->SetActions(mbXLeft, 0, actLayer3);
    same->SetActions(mbXLeft, 0, actLayer3);
    pw::SetCurrentProfile(first);
    EXPECT_EQ(g_nLastQuadrant, wmBottomLeft);
    EXPECT_TRUE(g_bQuadrantRestricted);

    g_bLayerHeld = true;
    g_nSavedLayer = 0;
    g_nCurrentLayer = 2;
    pw::SetCurrentProfile(same);
    EXPECT_EQ(g_nCurrentLayer, 2);
    EXPECT_TRUE(g_bLayerHeld);
    EXPECT_TRUE(Logged(L"Not resetting layer as the new application has the same layer "
                       L"modifiers!"));

    pw::SetCurrentProfile(Default());
    EXPECT_EQ(g_nCurrentLayer, 0);
    EXPECT_FALSE(g_bLayerHeld);
    EXPECT_EQ(g_nSavedLayer, -1);
    EXPECT_TRUE(Logged(L"Resetting layer as the new application does not have the same layer "
                       L"modifiers!"));
    // Announced to the setup window and the main window.
    std::vector<SimMessage> layers = Messages(pw::runtime::Messages().layerChanged);
    ASSERT_EQ(layers.size(), 2u);
    EXPECT_EQ(layers[0].window, setup);
    EXPECT_EQ(layers[1].window, mainWindow);
    EXPECT_EQ(layers[1].wParam, 0u);
    EXPECT_EQ(layers[1].lParam, 0);

    pw::SetCurrentProfile(nullptr);
    EXPECT_EQ(g_pCurrentApp, nullptr);
    EXPECT_EQ(g_nLastQuadrant, 0);
    EXPECT_FALSE(g_bQuadrantRestricted);
}

} // namespace
