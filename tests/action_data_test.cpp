#include "hook/library.h"
#include "platform/sim/simulated_desktop.h"
#include "settings/action_data.h"
#include "settings/application_settings.h"
#include "settings/chord.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class ActionDataTest : public ::testing::Test {
  protected:
    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
};

TEST_F(ActionDataTest, FactoriesFillAndCopyTheirFields) {
    std::unique_ptr<CActionData> plain(CActionData::NewAction(5));
    EXPECT_EQ(plain->Action(), actMiddleClick);
    EXPECT_EQ(plain->GetKeys(), nullptr);
    EXPECT_TRUE(plain->Active());
    EXPECT_TRUE(plain->BlockMouse());
    EXPECT_FALSE(plain->RandomiseDelay());
    EXPECT_EQ(plain->GetChords(), nullptr);

    Char keys[] = L"{CTRL}c";
    CVESKChords chords;
    std::unique_ptr<CActionData> custom(CActionData::CustomAction(
        28, keys, 1000, 5, 120, false, false, true, L"C:\\app.exe", &chords));
    keys[0] = L'X'; // the record holds its own copy
    EXPECT_STREQ(custom->GetKeys(), L"{CTRL}c");
    EXPECT_STREQ(custom->GetApplication(), L"C:\\app.exe");
    EXPECT_EQ(custom->KeyAction(), 5);
    EXPECT_EQ(custom->KeyRepeat(), 120);
    EXPECT_FALSE(custom->Active());
    EXPECT_FALSE(custom->BlockMouse());
    EXPECT_TRUE(custom->RandomiseDelay());
    EXPECT_EQ(custom->GetKeystrokesWaitHoldTime(250), 1250);
    EXPECT_EQ(custom->GetChords(), &chords);

    std::unique_ptr<CActionData> empty(
        CActionData::CustomAction(28, nullptr, 0, 0, 0, true, true, false, nullptr, nullptr));
    EXPECT_EQ(empty->GetKeys(), nullptr);
    EXPECT_EQ(empty->GetApplication(), nullptr);

    std::unique_ptr<CActionData> keyed(CActionData::KeyAction(L"ab", 20, 1, 50, true, false, true));
    EXPECT_EQ(keyed->Action(), actSimulatedKeys);
    EXPECT_STREQ(keyed->GetKeys(), L"ab");
    EXPECT_EQ(keyed->GetApplication(), nullptr);

    std::unique_ptr<CActionData> app(CActionData::AppAction(L"notepad.exe"));
    EXPECT_EQ(app->Action(), actRunApplication);
    EXPECT_STREQ(app->GetApplication(), L"notepad.exe");
    std::unique_ptr<CActionData> folder(CActionData::OpenFolderAction(L"C:\\Temp"));
    EXPECT_EQ(folder->Action(), actOpenExplorerAtFolder);
    EXPECT_STREQ(folder->GetApplication(), L"C:\\Temp");
}

TEST_F(ActionDataTest, CopiesDuplicateStringsAndShareTheChordSet) {
    CVESKChords chords;
    std::unique_ptr<CActionData> original(
        CActionData::CustomAction(28, L"abc", 7, 2, 30, true, true, false, L"p", &chords));
    CActionData copy(*original);
    EXPECT_NE(copy.GetKeys(), original->GetKeys());
    EXPECT_STREQ(copy.GetKeys(), L"abc");
    EXPECT_STREQ(copy.GetApplication(), L"p");
    EXPECT_EQ(copy.GetChords(), &chords);

    std::unique_ptr<CActionData> other(CActionData::NewAction(1));
    *other = *original;
    original.reset();
    EXPECT_STREQ(other->GetKeys(), L"abc");
    EXPECT_EQ(other->GetKeystrokesWaitHoldTime(0), 7);
    *other = *other;
    EXPECT_STREQ(other->GetKeys(), L"abc");
}

TEST_F(ActionDataTest, ChordedActionHandsOnANewCopyOfTheSet) {
    CVESKChords chords;
    chords.SetDelayUntilChordKnown(false);
    chords.GetChord(mbRight)->SetAction(actCopy);
    std::unique_ptr<CActionData> data(CActionData::ChordedAction(chords));
    EXPECT_EQ(data->Action(), actButtonChording);
    std::unique_ptr<CVESKChords> handedOn(data->GetChords());
    ASSERT_NE(handedOn.get(), &chords);
    EXPECT_FALSE(handedOn->DelayUntilChordKnown());
    EXPECT_EQ(handedOn->GetChord(mbRight)->GetAction(), actCopy);
}

TEST_F(ActionDataTest, ChordCopiesCarryOnlyThePersistedFields) {
    CVESKChords set;
    CVESKChord source;
    source.SetAction(actSimulatedKeys);
    source.SetKeys(L"{WAIT:1}");
    source.SetKeystrokesWaitHoldTime(1000);
    source.SetSendKeyAction(5);
    source.SetSendKeyRepeat(40);
    source.SetSendKeyWhenActive(false);
    source.SetBlockMouse(false);
    source.SetRandomiseDelay(true);
    source.SetLaunchApp(L"app.exe");
    source.SetChordSourceButton(mbXLeft);
    source.SetChordedButton(mbRight);
    source.SetCurrentChords(&set);

    CVESKChord copy(source);
    EXPECT_EQ(copy.GetAction(), actSimulatedKeys);
    EXPECT_STREQ(copy.GetKeys(), L"{WAIT:1}");
    EXPECT_NE(copy.GetKeys(), source.GetKeys());
    EXPECT_EQ(copy.GetKeystrokesWaitHoldTime(), 1000);
    EXPECT_EQ(copy.SendKeyAction(), 5);
    EXPECT_EQ(copy.SendKeyRepeat(), 40);
    EXPECT_FALSE(copy.SendKeyWhenActive());
    EXPECT_FALSE(copy.BlockMouse());
    EXPECT_TRUE(copy.RandomiseDelay());
    EXPECT_STREQ(copy.GetLaunchApp(), L"app.exe");
    EXPECT_EQ(copy.GetChordSourceButton(), mbNone);
    EXPECT_EQ(copy.GetChordedButton(), mbNone);
    EXPECT_EQ(copy.GetCurrentChords(), nullptr);

    CVESKChord assigned;
    assigned.SetCurrentChords(&set);
    assigned = &source;
    EXPECT_STREQ(assigned.GetLaunchApp(), L"app.exe");
    EXPECT_EQ(assigned.GetCurrentChords(), nullptr);
    assigned = static_cast<const CVESKChord*>(nullptr);
    EXPECT_STREQ(assigned.GetLaunchApp(), L"app.exe");

    set.SetChord(mbMiddle, source);
    EXPECT_STREQ(set.GetChord(mbMiddle)->GetKeys(), L"{WAIT:1}");
    EXPECT_EQ(set.GetChord(mbMiddle)->GetCurrentChords(), nullptr);
    EXPECT_EQ(set.GetChord(static_cast<MouseButtons>(9)), nullptr);
    set.SetChord(static_cast<MouseButtons>(-1), source); // ignored
}

TEST_F(ActionDataTest, ChordRecordsRoundTripThroughActionData) {
    CVESKChords set;
    std::unique_ptr<CActionData> data(
        CActionData::CustomAction(41, L"k", 9, 3, 11, false, true, true, L"run.exe", &set));
    CVESKChord chord;
    chord.SetCurrentChords(&set);
    chord.SetActionData(data.get());
    EXPECT_EQ(chord.GetAction(), actRunApplication);
    EXPECT_STREQ(chord.GetKeys(), L"k");
    EXPECT_EQ(chord.GetKeystrokesWaitHoldTime(), 9);
    EXPECT_EQ(chord.SendKeyAction(), 3);
    EXPECT_EQ(chord.SendKeyRepeat(), 11);
    EXPECT_FALSE(chord.SendKeyWhenActive());
    EXPECT_STREQ(chord.GetLaunchApp(), L"run.exe");
    EXPECT_EQ(chord.GetCurrentChords(), nullptr);

    std::unique_ptr<CActionData> back(chord.GetActionData());
    EXPECT_EQ(back->Action(), actRunApplication);
    EXPECT_STREQ(back->GetApplication(), L"run.exe");
    EXPECT_EQ(back->GetKeystrokesWaitHoldTime(0), 9);
    EXPECT_EQ(back->GetChords(), nullptr);
}

TEST_F(ActionDataTest, ChordSetAssignmentFromAPointerKeepsTheDelayFlag) {
    CVESKChords source;
    source.SetDelayUntilChordKnown(false);
    source.GetChord(mbLeft)->SetKeys(L"x");
    CVESKChords target;
    ASSERT_TRUE(target.DelayUntilChordKnown());
    target = &source;
    EXPECT_TRUE(target.DelayUntilChordKnown());
    EXPECT_STREQ(target.GetChord(mbLeft)->GetKeys(), L"x");

    CVESKChords byReference;
    byReference = source;
    EXPECT_FALSE(byReference.DelayUntilChordKnown());
    CVESKChords constructed(source);
    EXPECT_FALSE(constructed.DelayUntilChordKnown());
    EXPECT_NE(constructed.GetChord(mbLeft)->GetKeys(), source.GetChord(mbLeft)->GetKeys());
}

} // namespace
