#include "hook/library.h"
#include "platform/sim/simulated_desktop.h"
#include "settings/application_settings.h"
#include "settings/settings.h"
#include "support/logger.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class ProfileTest : public ::testing::Test {
  protected:
    ProfileTest() { desktop.systemInfo.keyboardSpeed = 31; }
    ~ProfileTest() override { CLogger::EnableDebug(false); }

    bool Logged(StringView text) { return desktop.diagnostics.DebugOutputContains(text); }

    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
};

TEST_F(ProfileTest, NewProfileHasTheDocumentedDefaults) {
    CSettings owner(false);
    CApplicationSettings profile(&owner, false);
    EXPECT_FALSE(profile.IsDefault());
    EXPECT_TRUE(profile.IsEnabled());
    EXPECT_EQ(profile.GetFullName(), nullptr);
    EXPECT_EQ(profile.ScrollLines(), owner.SystemWheelLines());
    EXPECT_EQ(profile.AdvScrollMethod(), 8);
    EXPECT_EQ(profile.AdvScrollVertical(), 1);
    EXPECT_EQ(profile.AdvScrollHorizontal(), 1);
    EXPECT_EQ(profile.GetWindowMask(), wmWholeWindow);
    EXPECT_EQ(profile.SwapButtons(), swapUnchanged);
    EXPECT_EQ(profile.GetIgnoreVScrollTime(), 200);
    EXPECT_EQ(profile.GetIgnoreHScrollTime(), 400);
    EXPECT_EQ(profile.GetAutoSwitchTime(9), 1);
    EXPECT_EQ(profile.GetChordButton(0), mbNone);
    EXPECT_EQ(profile.GetLayerName(3), nullptr);
    EXPECT_EQ(profile.GetActions(mbWheelDown, 9), actNoChange);
    EXPECT_EQ(profile.SendKeyAction(mbLeft, 0), 2);
    EXPECT_EQ(profile.SendKeyRepeat(mbLeft, 0), 34);
    EXPECT_TRUE(profile.SendKeyWhenActive(mbRight, 4));
    EXPECT_TRUE(profile.BlockMouse(mbRight, 4));
    EXPECT_FALSE(profile.RandomiseDelay(mbRight, 4));
    EXPECT_FALSE(profile.IsCustomWindow());

    CApplicationSettings defaults(nullptr, true);
    EXPECT_TRUE(defaults.IsDefault());
    EXPECT_STREQ(defaults.GetFullName(), L"Default");
    EXPECT_EQ(defaults.ScrollLines(), 3);
}

TEST_F(ProfileTest, CheckedSlotAccessorsRejectIndicesBeyondTheGrid) {
    CApplicationSettings profile(nullptr, false);
    profile.SetActions(mbWheelDown, 9, actCopy);
    EXPECT_EQ(profile.GetActions(mbWheelDown, 9), actCopy);
    // (9, 0) is the flat slot 9: button 0 of layer 1.
    profile.SetActions(static_cast<MouseButtons>(9), 0, actPaste);
    EXPECT_EQ(profile.GetActions(mbLeft, 1), actPaste);

    profile.SetActions(mbLeft, 10, actCut);
    EXPECT_TRUE(Logged(L"Invalid call to SetActions(0, 10, 9)"));
    EXPECT_EQ(profile.GetActions(mbLeft, 10), actNoChange);
    EXPECT_TRUE(Logged(L"Invalid call to GetActions(0, 10)"));
    profile.SetResetKeys(mbLeft, 10, true);
    EXPECT_TRUE(Logged(L"Invalid call to SetResetKeys(0, 10, 1)"));
    EXPECT_FALSE(profile.GetResetKeys(mbLeft, 10));
    EXPECT_TRUE(Logged(L"Invalid call to GetResetKeys(0, 10)"));
    EXPECT_EQ(profile.GetActions(mbNone, 0), actNoChange);
    EXPECT_TRUE(Logged(L"Invalid call to GetActions(-1, 0)"));

    // The unchecked accessors stay in bounds too, silently.
    profile.SetKeystrokes(mbLeft, 10, L"x", 0, 0, true, true, false, 1);
    profile.SetLaunchApp(mbLeft, -1, L"x");
    profile.SetLayerName(L"x", 10);
    EXPECT_EQ(profile.GetKeystrokes(mbLeft, 10), nullptr);
    EXPECT_EQ(profile.GetLayerName(-1), nullptr);
    std::unique_ptr<CActionData> data(profile.GetActionData(mbLeft, 10));
    EXPECT_EQ(data->Action(), actNoChange);
}

TEST_F(ProfileTest, SetKeystrokesStoresTheSlotAndItsWaitTime) {
    CApplicationSettings profile(nullptr, false);
    profile.SetKeystrokes(mbXLeft, 2, L"ab{WAIT:2}c", 5, 100, false, false, true, 10);
    EXPECT_STREQ(profile.GetKeystrokes(mbXLeft, 2), L"ab{WAIT:2}c");
    EXPECT_EQ(profile.SendKeyAction(mbXLeft, 2), 5);
    EXPECT_EQ(profile.SendKeyRepeat(mbXLeft, 2), 100);
    EXPECT_FALSE(profile.SendKeyWhenActive(mbXLeft, 2));
    EXPECT_FALSE(profile.BlockMouse(mbXLeft, 2));
    EXPECT_TRUE(profile.RandomiseDelay(mbXLeft, 2));
    EXPECT_EQ(profile.GetKeystrokesWaitHoldTime(mbXLeft, 2, 0), 2030);
    // The eight-argument form leaves the wait time alone; null keys reset it to 0.
    profile.SetKeystrokes(mbXLeft, 2, L"a", 2, 50, true, true, false);
    EXPECT_EQ(profile.GetKeystrokesWaitHoldTime(mbXLeft, 2, 0), 2030);
    profile.SetKeystrokes(mbXLeft, 2, nullptr, 2, 50, true, true, false, 10);
    EXPECT_EQ(profile.GetKeystrokes(mbXLeft, 2), nullptr);
    EXPECT_EQ(profile.GetKeystrokesWaitHoldTime(mbXLeft, 2, 0), 0);
}

TEST_F(ProfileTest, ActionDataBelongsToTheCallerAndRefersToTheChords) {
    CApplicationSettings profile(nullptr, false);
    profile.SetActions(mbMiddle, 1, actButtonChording);
    auto* chords = new CVESKChords();
    chords->GetChord(mbLeft)->SetAction(actCopy);
    profile.SetChords(mbMiddle, 1, chords);
    profile.SetLaunchApp(mbMiddle, 1, L"tool.exe");

    CActionData* data = profile.GetActionData(mbMiddle, 1);
    EXPECT_EQ(data->Action(), actButtonChording);
    EXPECT_EQ(data->GetChords(), chords);
    EXPECT_STREQ(data->GetApplication(), L"tool.exe");
    EXPECT_NE(data->GetApplication(), profile.GetLaunchApp(mbMiddle, 1));
    delete data;
    ASSERT_EQ(profile.GetChords(mbMiddle, 1), chords);
    EXPECT_EQ(chords->GetChord(mbLeft)->GetAction(), actCopy);

    // Handing the same set in again is harmless; CopyChords replaces it with a copy.
    profile.SetChords(mbMiddle, 1, chords);
    profile.CopyChords(mbMiddle, 1, chords);
    CVESKChords* copied = profile.GetChords(mbMiddle, 1);
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->GetChord(mbLeft)->GetAction(), actCopy);
    profile.CopyChords(mbMiddle, 1, nullptr);
    EXPECT_EQ(profile.GetChords(mbMiddle, 1), nullptr);
}

TEST_F(ProfileTest, CopiesOwnTheirStringsAndChordSets) {
    CSettings owner(false);
    CApplicationSettings original(&owner, false);
    original.SetApplication(L"W2:App.exe \\;| Cls \\;| Parent");
    original.SetDescription(L"desc");
    original.SetLayerName(L"Second", 1);
    original.SetKeystrokes(mbLeft, 0, L"abc", 2, 10, true, true, false, 1);
    original.SetStuckKeys(mbLeft, 0, L"{CTRL}");
    original.SetChords(mbRight, 0, new CVESKChords());
    original.SetInvertScrolling(true);

    CApplicationSettings copy(original);
    EXPECT_STREQ(copy.GetApplication(), L"app.exe");
    EXPECT_NE(copy.GetApplication(), original.GetApplication());
    EXPECT_STREQ(copy.GetParentClass(), L"Parent");
    EXPECT_STREQ(copy.GetLayerName(1), L"Second");
    EXPECT_STREQ(copy.GetKeystrokes(mbLeft, 0), L"abc");
    EXPECT_STREQ(copy.GetStuckKeys(mbLeft, 0), L"{CTRL}");
    EXPECT_NE(copy.GetChords(mbRight, 0), nullptr);
    EXPECT_NE(copy.GetChords(mbRight, 0), original.GetChords(mbRight, 0));
    EXPECT_TRUE(copy.InvertedScrolling());

    CApplicationSettings assigned(nullptr, true);
    assigned = original;
    EXPECT_FALSE(assigned.IsDefault());
    EXPECT_STREQ(assigned.GetDescription(), L"desc");
    EXPECT_NE(assigned.GetChords(mbRight, 0), original.GetChords(mbRight, 0));
}

TEST_F(ProfileTest, StringRoutinesReplaceAndLowerCase) {
    Char* text = nullptr;
    EXPECT_STREQ(CApplicationSettings::CopyString(text, L"Notepad.EXE", true), L"notepad.exe");
    EXPECT_STREQ(CApplicationSettings::CopyString(text, text, false), L"notepad.exe");
    EXPECT_EQ(CApplicationSettings::CopyString(text, nullptr, false), nullptr);
    EXPECT_EQ(text, nullptr);
    CApplicationSettings::CopyString(text, L"x", false);
    EXPECT_EQ(CApplicationSettings::ClearString(text), nullptr);
    EXPECT_EQ(text, nullptr);
}

TEST_F(ProfileTest, PlainProfileStringsAreLowerCasedProcessNames) {
    CApplicationSettings profile(nullptr, false);
    profile.SetApplication(L"Notepad.EXE");
    EXPECT_STREQ(profile.GetApplication(), L"notepad.exe");
    EXPECT_STREQ(profile.GetFullName(), L"Notepad.EXE");
    EXPECT_FALSE(profile.IsCustomWindow());
    EXPECT_EQ(profile.GetKey(), L"notepad.exe");

    // The prefix test is case-sensitive.
    profile.SetApplication(L"w2:App");
    EXPECT_STREQ(profile.GetApplication(), L"w2:app");
    EXPECT_FALSE(profile.IsCustomWindow());

    profile.SetApplication(nullptr);
    EXPECT_EQ(profile.GetApplication(), nullptr);
    EXPECT_STREQ(profile.GetFullName(), L"w2:App");
}

TEST_F(ProfileTest, WindowProfileStringsSplitIntoFields) {
    CApplicationSettings profile(nullptr, false);
    profile.SetApplication(L"W3:* \\;| App.exe \\;| Cls \\;| *");
    EXPECT_EQ(profile.GetCaption(), nullptr);
    EXPECT_STREQ(profile.GetApplication(), L"app.exe");
    EXPECT_STREQ(profile.GetClass(), L"Cls");
    EXPECT_EQ(profile.GetParentClass(), nullptr);
    EXPECT_TRUE(profile.IsCustomWindow());

    profile.SetApplication(L"W3:Title \\;| App.exe \\;| Cls \\;| Par \\;| ent");
    EXPECT_STREQ(profile.GetCaption(), L"Title");
    EXPECT_STREQ(profile.GetParentClass(), L"Par \\;| ent");

    profile.SetApplication(L"W3:Title \\;| App.exe \\;| Cls");
    EXPECT_STREQ(profile.GetCaption(), L"Title");
    EXPECT_STREQ(profile.GetApplication(), L"app.exe");
    EXPECT_EQ(profile.GetClass(), nullptr);
    EXPECT_EQ(profile.GetParentClass(), nullptr);

    profile.SetApplication(L"W3:Title \\;| App.exe");
    EXPECT_STREQ(profile.GetCaption(), L"Title");
    EXPECT_STREQ(profile.GetApplication(), L"w3:title \\;| app.exe");
    EXPECT_EQ(profile.GetClass(), nullptr);

    profile.SetApplication(L"W3:App.exe");
    EXPECT_EQ(profile.GetCaption(), nullptr);
    EXPECT_STREQ(profile.GetApplication(), L"w3:app.exe");

    profile.SetApplication(L"W2:App.EXE");
    EXPECT_STREQ(profile.GetApplication(), L"w2:app.exe");
    EXPECT_EQ(profile.GetClass(), nullptr);

    profile.SetApplication(L"W2:App.EXE \\;| Cls \\;| Parent");
    EXPECT_EQ(profile.GetCaption(), nullptr);
    EXPECT_STREQ(profile.GetApplication(), L"app.exe");
    EXPECT_STREQ(profile.GetClass(), L"Cls");
    EXPECT_STREQ(profile.GetParentClass(), L"Parent");

    profile.SetApplication(L"W2:App.EXE \\;| Cls");
    EXPECT_STREQ(profile.GetApplication(), L"app.exe");
    EXPECT_EQ(profile.GetClass(), nullptr);

    profile.SetApplication(L"W:;App.EXE;;Cls;*");
    EXPECT_STREQ(profile.GetApplication(), L"app.exe");
    EXPECT_STREQ(profile.GetClass(), L"Cls");
    EXPECT_EQ(profile.GetParentClass(), nullptr);
    profile.SetApplication(L"W:App.EXE");
    EXPECT_EQ(profile.GetClass(), nullptr);
}

TEST_F(ProfileTest, CustomWindowKeysAndShortNames) {
    CApplicationSettings profile(nullptr, false);
    profile.SetApplication(L"a.exe");
    EXPECT_FALSE(profile.IsCustomWindow());
    profile.SetNoParentFlag(true);
    EXPECT_TRUE(profile.IsCustomWindow());
    profile.SetNoParentFlag(false);
    profile.SetWindowMask(wmTopLeft);
    EXPECT_TRUE(profile.IsCustomWindow());
    profile.SetWindowMask(wmWholeWindow);
    profile.SetRegExMatching(true);
    EXPECT_TRUE(profile.IsCustomWindow());
    profile.SetRegExMatching(false);

    profile.SetApplication(L"W:a.exe;C");
    EXPECT_EQ(profile.GetKey(), L"cw;;a.exe;;C");
    Char name[64];
    EXPECT_EQ(profile.GetShortName(name, 64), 0);
    EXPECT_STREQ(name, L"a.exe;C");
    profile.SetApplication(L"W3:Cap \\;| a.exe \\;| C \\;| P");
    EXPECT_EQ(profile.GetKey(), L"cw;Cap;a.exe;P;C");
    EXPECT_EQ(profile.GetShortName(name, 64), 0);
    EXPECT_STREQ(name, L"a.exe;C;P");
    EXPECT_NE(profile.GetShortName(name, 4), 0);

    profile.SetDescription(L"My profile");
    EXPECT_EQ(profile.GetShortName(name, 64), 0);
    EXPECT_STREQ(name, L"My profile");

    CApplicationSettings unnamed(nullptr, false);
    EXPECT_EQ(unnamed.GetShortName(name, 64), -1);
}

TEST_F(ProfileTest, LogDescribesEachLayerInUse) {
    CSettings owner(false);
    owner.SetMaxLayers(2);
    CApplicationSettings profile(&owner, false);
    profile.SetActions(mbLeft, 0, actSimulatedKeys);
    profile.SetKeystrokes(mbLeft, 0, L"{CTRL}c", 5, 100, true, true, false);
    profile.SetActions(mbRight, 1, actRunApplication);
    profile.SetLaunchApp(mbRight, 1, L"calc.exe");
    profile.SetActions(mbTiltRight, 1, static_cast<_ACTIONS>(500));
    profile.SetActions(mbLeft, 2, actCopy);
    profile.SetInvertScrolling(true);
    profile.SetSwapButtons(swapSwapped);

    profile.Log(L"notepad.exe");
    EXPECT_FALSE(Logged(L"Enabling application specific"));

    CLogger::EnableDebug(true);
    profile.Log(L"notepad.exe");
    const String none = L"** No Change (Don't intercept) **";
    EXPECT_TRUE(Logged(L"Enabling application specific button settings for 'notepad.exe'..."));
    EXPECT_TRUE(Logged(L"  Layer 0: Left = Simulated Keys: '{CTRL}c' (repeat), Right = " + none +
                       L", Middle = " + none));
    EXPECT_TRUE(Logged(L"  Layer 1: Left = " + none + L", Right = Run Application: 'calc.exe', "));
    EXPECT_TRUE(Logged(L"Tilt Right = Unknown Action"));
    EXPECT_FALSE(Logged(L"  Layer 2:"));
    EXPECT_TRUE(Logged(
        L"  InvertScrolling=on InvertHorizontalScrolling=off ScrollPages=off SwapButtons=2"));

    CSettings office(true);
    CApplicationSettings defaults(&office, true);
    desktop.diagnostics.ClearDebugLines();
    defaults.Log(L"ignored");
    EXPECT_TRUE(Logged(L"Enabling default button settings..."));
    EXPECT_TRUE(Logged(L"5th = " + none + L" Middle2 = " + none + L" Scroll Up = " + none +
                       L", Scroll Down = " + none));
    EXPECT_FALSE(Logged(L"Tilt Left"));
}

TEST_F(ProfileTest, NullProfileAnswersSafely) {
    // Through a volatile, as the main program's pointer is opaque to the compiler.
    CApplicationSettings* volatile missing = nullptr;
    missing->Log(L"x");
    EXPECT_TRUE(Logged(L"Invalid call to Log on null setting object..."));
    EXPECT_FALSE(missing->GetDisableScrollUnderCursor());

    CApplicationSettings profile(nullptr, false);
    profile.SetDisableScrollUnderCursor(true);
    EXPECT_TRUE(profile.GetDisableScrollUnderCursor());
}

} // namespace
