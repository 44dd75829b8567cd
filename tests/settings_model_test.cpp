#include "platform/sim/simulated_desktop.h"
#include "settings/application_settings.h"
#include "settings/hotkeys.h"
#include "settings/layer_modifier_keys.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class SettingsModelTest : public ::testing::Test {
  protected:
    pw::sim::SimulatedDesktop desktop;
};

CApplicationSettings* NewProfile(CSettings& owner, const Char* name) {
    auto* profile = new CApplicationSettings(&owner, false);
    profile->SetApplication(name);
    return profile;
}

TEST_F(SettingsModelTest, NewObjectHasEveryDefault) {
    CSettings settings;
    EXPECT_FALSE(settings.OfficeMouse());
    EXPECT_FALSE(settings.OfficeMouseForced());
    EXPECT_EQ(settings.MaxLayers(), 2);
    EXPECT_FALSE(settings.LoggingDisabled());
    EXPECT_FALSE(settings.RazorMouse());
    EXPECT_TRUE(settings.ScrollWindowUnderCursor());
    EXPECT_TRUE(settings.ScrollLockBypass());
    EXPECT_FALSE(settings.ScrollLockBypassDisabled());
    EXPECT_FALSE(settings.Swap4and5());
    EXPECT_FALSE(settings.Swap4and5inRDP());
    EXPECT_FALSE(settings.DisableInRDP());
    EXPECT_TRUE(settings.ShowTrayIcon());
    EXPECT_FALSE(settings.DisableReinstallOnResume());
    EXPECT_TRUE(settings.Notifications());
    EXPECT_TRUE(settings.NotificationsLayer());
    EXPECT_TRUE(settings.MovementToScrollCursor());
    EXPECT_FALSE(settings.get_ResetStickyOnAnyButton());
    EXPECT_FALSE(settings.get_ResetStickyOnAnyKey());
    EXPECT_TRUE(settings.get_ResetStickyOnLayerChange());
    EXPECT_FALSE(settings.GlobalHotkeysEnabled());
    EXPECT_FALSE(settings.LayerModifierKeysEnabled());
    EXPECT_TRUE(settings.ProcessNonClientMsgs());
    EXPECT_TRUE(settings.IgnoreNumlock());
    EXPECT_FALSE(settings.LeftClickCycleLayers());
    EXPECT_FALSE(settings.FixTiltRepeat());
    EXPECT_EQ(settings.InitialTiltDelay(), 200);
    EXPECT_EQ(settings.RepeatTiltDelay(), 100);
    EXPECT_TRUE(settings.CheckVersion());
    EXPECT_EQ(settings.CheckVersionDays(), 5);
    EXPECT_FALSE(settings.CheckBetaVersion());
    EXPECT_TRUE(settings.SwitchOnMouseOver());
    EXPECT_FALSE(settings.ActivateOnScroll());
    EXPECT_FALSE(settings.ActivateOnMouseOver());
    EXPECT_FALSE(settings.FixVS2010());
    EXPECT_TRUE(settings.EnableOSD());
    EXPECT_FALSE(settings.AlwaysShowOSD());
    EXPECT_FALSE(settings.SortActionsAlphabetically());
    EXPECT_FALSE(settings.get_EnableDebounce());
    EXPECT_FALSE(settings.get_DebounceFromUp());
    EXPECT_EQ(settings.get_DebounceTime(), 50);
    EXPECT_FALSE(settings.MouseJiggler());
    EXPECT_EQ(settings.MouseJigglerTimeout(), 30);
    EXPECT_FALSE(settings.LoadUSEnglish());
    EXPECT_EQ(settings.CPUPriority(), 128);
    EXPECT_EQ(settings.SimKeyDelay(), 1);
    EXPECT_TRUE(StringView(settings.get_SearchURL()).ends_with(L"/search?q="));
    EXPECT_EQ(settings.GetLanguage(), nullptr);
    EXPECT_TRUE(settings.EnhancePointerPrecision());
    EXPECT_GT(settings.SystemWheelLines(), 0);
    EXPECT_EQ(settings.HooksTimeout(), 200);
    EXPECT_FALSE(settings.HasCaptionProfiles());

    EXPECT_EQ(settings.GetApplicationCount(), 0);
    EXPECT_TRUE(settings.GetApplications().empty());
    EXPECT_TRUE(settings.GetCustomApplications().empty());
    ASSERT_NE(settings.GetHotKeys(), nullptr);
    ASSERT_NE(settings.GetLayerModifierKeys(), nullptr);

    CApplicationSettings* defaults = settings.GetDefaultApp();
    ASSERT_NE(defaults, nullptr);
    EXPECT_TRUE(defaults->IsDefault());
    EXPECT_STREQ(defaults->GetFullName(), L"Default");
    EXPECT_STREQ(defaults->GetApplication(), L"default");
    EXPECT_EQ(defaults->ScrollLines(), settings.SystemWheelLines());

    CSettings office(true);
    EXPECT_TRUE(office.OfficeMouse());
    EXPECT_TRUE(office.OfficeMouseForced());
}

TEST_F(SettingsModelTest, AccessorsStoreWhatTheyAreGiven) {
    CSettings settings;
    EXPECT_FALSE(settings.SetMaxLayers(2));
    EXPECT_TRUE(settings.SetMaxLayers(7));
    EXPECT_EQ(settings.MaxLayers(), 7);

    settings.put_DebounceTime(80);
    settings.put_EnableDebounce(true);
    EXPECT_EQ(settings.get_DebounceTime(), 80);
    EXPECT_TRUE(settings.get_EnableDebounce());

    EXPECT_EQ(settings.get_MouseJigglerTickTimeout(), 0u);
    settings.SetMouseJiggler(true);
    EXPECT_EQ(settings.get_MouseJigglerTickTimeout(), 1800000u);
    settings.SetMouseJigglerTimeout(-4);
    EXPECT_EQ(settings.get_MouseJigglerTickTimeout(), 0u);

    // The language file name is a copy, not the caller's buffer.
    Char name[] = L"German.xml";
    settings.SetLanguage(name);
    name[0] = L'X';
    EXPECT_STREQ(settings.GetLanguage(), L"German.xml");
    settings.SetLanguage(nullptr);
    EXPECT_EQ(settings.GetLanguage(), nullptr);

    settings.put_SearchURL(nullptr);
    EXPECT_STREQ(settings.get_SearchURL(), L"");
}

TEST_F(SettingsModelTest, DebounceAndStickyGettersAnswerOnANullObject) {
    CSettings* const volatile none = nullptr;
    EXPECT_FALSE(none->get_EnableDebounce());
    EXPECT_FALSE(none->get_DebounceFromUp());
    EXPECT_EQ(none->get_DebounceTime(), 50);
    EXPECT_FALSE(none->get_ResetStickyOnAnyButton());
    EXPECT_FALSE(none->get_ResetStickyOnAnyKey());
    EXPECT_FALSE(none->get_ResetStickyOnLayerChange());
}

TEST(Hotkey, SettersReportChangesAndPackingSwapsTheBytes) {
    CHotkey key;
    EXPECT_EQ(key.SetHotkey(0x0241), 1);
    EXPECT_EQ(key.GetModifier(), 2);
    EXPECT_EQ(key.GetVirtualKey(), 0x41);
    EXPECT_EQ(key.SetHotkey(0x0241), 0);
    EXPECT_EQ(key.GetHotkey(), 0x4102u);

    EXPECT_EQ(key.SetModifier(2), 0);
    EXPECT_EQ(key.SetModifier(4), 1);
    EXPECT_EQ(key.SetVirtualKey(0x41), 0);
    EXPECT_EQ(key.SetVirtualKey(0x1234), 1);
    // Only the low bytes take part in packing.
    EXPECT_EQ(key.GetHotkey(), 0x3404u);
}

TEST(Hotkey, TablesHoldExactlyTheirSlots) {
    CHotKeys hotkeys;
    for (int slot = 0; slot < 19; ++slot) {
        const CHotkey* entry = hotkeys.GetHotkey(static_cast<GlobalHotkeys>(slot));
        ASSERT_NE(entry, nullptr) << slot;
        EXPECT_TRUE(entry->IsEmpty());
    }
    EXPECT_EQ(hotkeys.GetHotkey(static_cast<GlobalHotkeys>(19)), nullptr);
    EXPECT_EQ(hotkeys.GetHotkey(static_cast<GlobalHotkeys>(-1)), nullptr);

    CLayerModifierKeys modifiers;
    EXPECT_NE(modifiers.GetHotkey(static_cast<ModifierKeys>(11)), nullptr);
    EXPECT_EQ(modifiers.GetHotkey(static_cast<ModifierKeys>(12)), nullptr);
    EXPECT_EQ(modifiers.GetHotkey(static_cast<ModifierKeys>(-1)), nullptr);

    // Copies take the values into entries of their own.
    hotkeys.GetHotkey(ghkLast)->SetHotkey(0x0341);
    modifiers.GetHotkey(lmkFirst)->SetVirtualKey(0x70);
    CHotKeys hotkeysCopy(hotkeys);
    CLayerModifierKeys modifiersCopy;
    modifiersCopy = modifiers;
    EXPECT_NE(hotkeysCopy.GetHotkey(ghkLast), hotkeys.GetHotkey(ghkLast));
    EXPECT_EQ(hotkeysCopy.GetHotkey(ghkLast)->GetHotkey(), 0x4103u);
    EXPECT_EQ(modifiersCopy.GetHotkey(lmkFirst)->GetVirtualKey(), 0x70);
    hotkeys.GetHotkey(ghkLast)->SetHotkey(0);
    EXPECT_EQ(hotkeysCopy.GetHotkey(ghkLast)->GetHotkey(), 0x4103u);
}

TEST_F(SettingsModelTest, ProfileListAdoptsFindsAndGivesBack) {
    CSettings settings;
    CApplicationSettings* notepad = NewProfile(settings, L"Notepad.EXE");
    CApplicationSettings* word = NewProfile(settings, L"winword.exe");
    EXPECT_TRUE(settings.AddApplication(notepad));
    EXPECT_TRUE(settings.AddApplication(word));
    EXPECT_FALSE(settings.AddApplication(nullptr));

    EXPECT_EQ(settings.GetApplicationCount(), 2);
    EXPECT_EQ(settings.GetApplication(0), notepad);
    EXPECT_EQ(settings.GetApplication(1), word);
    EXPECT_EQ(settings.GetApplication(2), nullptr);
    EXPECT_EQ(settings.GetApplication(-1), nullptr);
    // The views are filled by loading only.
    EXPECT_TRUE(settings.GetApplications().empty());

    // Names match exactly, case included.
    EXPECT_EQ(settings.GetApplication(L"Notepad.EXE"), notepad);
    EXPECT_EQ(settings.GetApplication(L"notepad.exe"), nullptr);
    EXPECT_EQ(settings.GetApplication(L""), nullptr);
    EXPECT_EQ(settings.GetApplication(static_cast<const Char*>(nullptr)), nullptr);

    // A removed profile belongs to the caller again.
    EXPECT_TRUE(settings.RemoveApplication(notepad));
    EXPECT_FALSE(settings.RemoveApplication(notepad));
    EXPECT_EQ(settings.GetApplicationCount(), 1);
    EXPECT_EQ(settings.GetApplication(0), word);
    std::unique_ptr<CApplicationSettings> returned(notepad);
    EXPECT_STREQ(returned->GetApplication(), L"notepad.exe");

    // Cleared profiles are forgotten, not deleted.
    settings.ClearApplications();
    EXPECT_EQ(settings.GetApplicationCount(), 0);
    std::unique_ptr<CApplicationSettings> forgotten(word);
    EXPECT_STREQ(forgotten->GetFullName(), L"winword.exe");
}

TEST_F(SettingsModelTest, DefaultProfileIsReplacedOnlyByAnotherObject) {
    CSettings settings;
    CApplicationSettings* original = settings.GetDefaultApp();
    settings.SetDefaultApp(original);
    ASSERT_EQ(settings.GetDefaultApp(), original);
    EXPECT_STREQ(original->GetFullName(), L"Default");

    auto* replacement = new CApplicationSettings(&settings, true);
    settings.SetDefaultApp(replacement);
    EXPECT_EQ(settings.GetDefaultApp(), replacement);
}

TEST_F(SettingsModelTest, CopiesDuplicateProfilesAndTables) {
    CSettings source;
    source.SetSimKeyDelay(9);
    source.SetLanguage(L"French.xml");
    source.AddApplication(NewProfile(source, L"a.exe"));
    source.GetHotKeys()->GetHotkey(ghkFirst)->SetHotkey(0x0141);

    CSettings copy(source);
    EXPECT_EQ(copy.SimKeyDelay(), 9);
    EXPECT_STREQ(copy.GetLanguage(), L"French.xml");
    EXPECT_NE(copy.GetLanguage(), source.GetLanguage());
    ASSERT_EQ(copy.GetApplicationCount(), 1);
    EXPECT_NE(copy.GetApplication(0), source.GetApplication(0));
    EXPECT_STREQ(copy.GetApplication(0)->GetFullName(), L"a.exe");
    EXPECT_NE(copy.GetDefaultApp(), source.GetDefaultApp());
    EXPECT_NE(copy.GetHotKeys(), source.GetHotKeys());
    EXPECT_EQ(copy.GetHotKeys()->GetHotkey(ghkFirst)->GetHotkey(), 0x4101u);
    // The copied profiles read the copy's global options.
    EXPECT_EQ(copy.GetApplication(0)->GetOwner(), &copy);
    EXPECT_EQ(copy.GetDefaultApp()->GetOwner(), &copy);

    CSettings assigned;
    assigned = source;
    std::unique_ptr<CApplicationSettings> removed(source.GetApplication(0));
    source.RemoveApplication(removed.get());
    EXPECT_EQ(assigned.GetApplicationCount(), 1);
    EXPECT_STREQ(assigned.GetApplication(L"a.exe")->GetApplication(), L"a.exe");
}

} // namespace
