#include "hook/library.h"
#include "platform/sim/simulated_desktop.h"
#include "settings/application_settings.h"
#include "settings/hotkeys.h"
#include "settings/layer_modifier_keys.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/settings_files.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <sstream>
#include <string>
#include <vector>

using namespace pw::test;

namespace {

class SettingsFileTest : public ::testing::Test {
  protected:
    SettingsFileTest() { desktop.files.CreateDirectory(L"C:\\x"); }
    ~SettingsFileTest() override { CLogger::EnableDebug(false); }
    bool Logged(StringView text) { return desktop.diagnostics.DebugOutputContains(text); }

    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
};

String Text(const Char* text) {
    return text ? String(text) : String();
}

MouseButtons Button(int b) {
    return static_cast<MouseButtons>(b);
}

// An action for (button, layer) that is never 74 or 40, so that each slot differs from the
// default and the default profile keeps it as written.
_ACTIONS ActionFor(int button, int layer) {
    static const _ACTIONS kActions[] = {actCopy,
                                        actSimulatedKeys,
                                        actRunApplication,
                                        actOpenExplorerAtFolder,
                                        actButtonChording,
                                        actPaste,
                                        actLayer3,
                                        actMediaMute,
                                        actBack};
    return kActions[(button + layer) % 9];
}

CVESKChords* MakeChords(int seed) {
    auto* chords = new CVESKChords;
    chords->SetDelayUntilChordKnown(seed % 2 == 0);
    for (int partner = 0; partner < 9; ++partner) {
        CVESKChord chord;
        if ((partner + seed) % 3 == 0) {
            chord.SetAction(actSimulatedKeys);
            chord.SetKeys(L"{CTRL}c");
            chord.SetSendKeyAction(5);
            chord.SetSendKeyRepeat(120 + partner);
            chord.SetSendKeyWhenActive(false);
            chord.SetBlockMouse(false);
            chord.SetRandomiseDelay(true);
        } else if ((partner + seed) % 3 == 1) {
            chord.SetAction(actRunApplication);
            chord.SetLaunchApp(L"C:\\Tools\\chord.exe");
        } else {
            chord.SetAction(actUndo);
        }
        chords->SetChord(Button(partner), chord);
    }
    return chords;
}

// Sets every persisted field of profile to a value other than its default.
void FillProfile(CApplicationSettings& profile, int perKeyDelay, int seed) {
    if (!profile.IsDefault()) {
        profile.SetDescription((L"Described <&> " + std::to_wstring(seed)).c_str());
        profile.SetRegExMatching(true);
        profile.SetNoParentFlag(true);
        profile.SetSwapButtons(swapSwapped);
        profile.SetWindowMask(wmTopRight);
    }
    profile.SetEnableFlag(profile.IsDefault());
    profile.SetAdvScrollMethod(3);
    profile.SetAdvScrollVertical(4);
    profile.SetAdvScrollHorizontal(5);
    profile.SetDisableScrollUnderCursor(true);
    profile.SetInvertScrolling(true);
    profile.SetInvertHorzScrolling(true);
    profile.SetScrollPages(true);
    profile.SetScrollLines(7 + seed);
    profile.SetForceSPIMessage(true);
    profile.SetAxisLocking(true);
    profile.SetIgnoreVScroll(true);
    profile.SetIgnoreVScrollTime(321);
    profile.SetIgnoreHScroll(true);
    profile.SetIgnoreHScrollTime(654);
    for (int layer = 0; layer < 10; ++layer) {
        profile.SetLayerName((L"Ebene \u00e9 " + std::to_wstring(layer)).c_str(), layer);
        profile.SetRevertLayer1(layer, layer % 2 == 0);
        profile.SetAutoSwitchLayer(layer, (layer + 3) % 10);
        profile.SetAutoSwitchTime(layer, 1000 + layer * 7);
        profile.SetLayerDisabled(layer, layer % 3 == 0);
        for (int b = 0; b < 9; ++b) {
            MouseButtons button = Button(b);
            _ACTIONS action = ActionFor(b, layer + seed);
            profile.SetActions(button, layer, action);
            if (action == actSimulatedKeys)
                profile.SetKeystrokes(button, layer, L"ab{WAIT:2}c", 6, 77 + b, false, false, true,
                                      perKeyDelay);
            if (action == actRunApplication || action == actOpenExplorerAtFolder)
                profile.SetLaunchApp(button, layer, L"C:\\Program Files\\App \"1\".exe");
            if (action == actButtonChording)
                profile.SetChords(button, layer, MakeChords(b + layer));
        }
    }
}

void ExpectSameChords(CVESKChords* expected, CVESKChords* actual) {
    ASSERT_EQ(expected == nullptr, actual == nullptr);
    if (!expected)
        return;
    EXPECT_EQ(expected->DelayUntilChordKnown(), actual->DelayUntilChordKnown());
    for (int partner = 0; partner < 9; ++partner) {
        SCOPED_TRACE(partner);
        CVESKChord* e = expected->GetChord(Button(partner));
        CVESKChord* a = actual->GetChord(Button(partner));
        EXPECT_EQ(e->GetAction(), a->GetAction());
        EXPECT_EQ(Text(e->GetKeys()), Text(a->GetKeys()));
        EXPECT_EQ(e->SendKeyAction(), a->SendKeyAction());
        EXPECT_EQ(e->SendKeyRepeat(), a->SendKeyRepeat());
        EXPECT_EQ(e->SendKeyWhenActive(), a->SendKeyWhenActive());
        EXPECT_EQ(e->BlockMouse(), a->BlockMouse());
        EXPECT_EQ(e->RandomiseDelay(), a->RandomiseDelay());
        EXPECT_EQ(Text(e->GetLaunchApp()), Text(a->GetLaunchApp()));
    }
}

void ExpectSameProfile(const CApplicationSettings& e, const CApplicationSettings& a) {
    EXPECT_EQ(Text(e.GetFullName()), Text(a.GetFullName()));
    EXPECT_EQ(e.InvertedScrolling(), a.InvertedScrolling());
    EXPECT_EQ(e.InvertedHorzScrolling(), a.InvertedHorzScrolling());
    EXPECT_EQ(e.ScrollPages(), a.ScrollPages());
    EXPECT_EQ(e.ScrollLines(), a.ScrollLines());
    EXPECT_EQ(e.ForceSPIMessage(), a.ForceSPIMessage());
    EXPECT_EQ(e.AxisLocking(), a.AxisLocking());
    EXPECT_EQ(e.GetIgnoreVScroll(), a.GetIgnoreVScroll());
    EXPECT_EQ(e.GetIgnoreVScrollTime(), a.GetIgnoreVScrollTime());
    EXPECT_EQ(e.GetIgnoreHScroll(), a.GetIgnoreHScroll());
    EXPECT_EQ(e.GetIgnoreHScrollTime(), a.GetIgnoreHScrollTime());
    EXPECT_EQ(e.IsEnabled(), a.IsEnabled());
    EXPECT_EQ(e.AdvScrollMethod(), a.AdvScrollMethod());
    EXPECT_EQ(e.AdvScrollVertical(), a.AdvScrollVertical());
    EXPECT_EQ(e.AdvScrollHorizontal(), a.AdvScrollHorizontal());
    EXPECT_EQ(e.GetDisableScrollUnderCursor(), a.GetDisableScrollUnderCursor());
    if (e.IsDefault()) {
        // The default element carries no button swap: it reads as unchanged.
        EXPECT_EQ(a.SwapButtons(), swapUnchanged);
    } else {
        EXPECT_EQ(Text(e.GetDescription()), Text(a.GetDescription()));
        EXPECT_EQ(Text(e.GetApplication()), Text(a.GetApplication()));
        EXPECT_EQ(Text(e.GetCaption()), Text(a.GetCaption()));
        EXPECT_EQ(Text(e.GetClass()), Text(a.GetClass()));
        EXPECT_EQ(e.RegExMatching(), a.RegExMatching());
        EXPECT_EQ(e.NoParent(), a.NoParent());
        EXPECT_EQ(e.SwapButtons(), a.SwapButtons());
        EXPECT_EQ(e.GetWindowMask(), a.GetWindowMask());
    }
    for (int layer = 0; layer < 10; ++layer) {
        SCOPED_TRACE(layer);
        EXPECT_EQ(Text(e.GetLayerName(layer)), Text(a.GetLayerName(layer)));
        EXPECT_EQ(e.GetRevertLayer1(layer), a.GetRevertLayer1(layer));
        EXPECT_EQ(e.GetAutoSwitchLayer(layer), a.GetAutoSwitchLayer(layer));
        EXPECT_EQ(e.GetAutoSwitchTime(layer), a.GetAutoSwitchTime(layer));
        EXPECT_EQ(e.GetLayerDisabled(layer), a.GetLayerDisabled(layer));
        for (int b = 0; b < 9; ++b) {
            SCOPED_TRACE(b);
            MouseButtons button = Button(b);
            _ACTIONS action = e.GetActions(button, layer);
            EXPECT_EQ(action, a.GetActions(button, layer));
            if (action == actSimulatedKeys) {
                EXPECT_EQ(Text(e.GetKeystrokes(button, layer)),
                          Text(a.GetKeystrokes(button, layer)));
                EXPECT_EQ(e.SendKeyAction(button, layer), a.SendKeyAction(button, layer));
                EXPECT_EQ(e.SendKeyRepeat(button, layer), a.SendKeyRepeat(button, layer));
                EXPECT_EQ(e.SendKeyWhenActive(button, layer), a.SendKeyWhenActive(button, layer));
                EXPECT_EQ(e.BlockMouse(button, layer), a.BlockMouse(button, layer));
                EXPECT_EQ(e.RandomiseDelay(button, layer), a.RandomiseDelay(button, layer));
                EXPECT_EQ(e.GetKeystrokesWaitHoldTime(button, layer, 0),
                          a.GetKeystrokesWaitHoldTime(button, layer, 0));
            }
            EXPECT_EQ(Text(e.GetLaunchApp(button, layer)), Text(a.GetLaunchApp(button, layer)));
            ExpectSameChords(e.GetChords(button, layer), a.GetChords(button, layer));
        }
    }
}

// Every global option set to a value other than its default.
void FillOptions(CSettings& s) {
    s.SetOfficeMouse(false);
    s.SetMaxLayers(7);
    s.SetLoggingDisabled(true);
    s.SetRazorMouse(true);
    s.SetScrollWindowUnderCursor(false);
    s.SetScrollLockBypass(false);
    s.SetScrollLockBypassDisabled(true);
    s.SetSwap4and5(true);
    s.SetSwap4and5inRDP(true);
    s.SetDisableInRDP(true);
    s.SetShowTrayIcon(false);
    s.SetDisableReinstallOnResume(true);
    s.SetNotifications(false);
    s.SetNotificationsLayer(false);
    s.SetMovementToScrollCursor(false);
    s.put_ResetStickyOnAnyButton(true);
    s.put_ResetStickyOnAnyKey(true);
    s.put_ResetStickyOnLayerChange(false);
    s.SetGlobalHotkeysEnabled(true);
    s.SetLayerModifierKeysEnabled(true);
    s.SetProcessNonClientMsgs(false);
    s.SetIgnoreNumlock(false);
    s.SetLeftClickCycleLayers(true);
    s.SetFixTiltRepeat(true);
    s.SetInitialTiltDelay(333);
    s.SetRepeatTiltDelay(44);
    s.SetCheckVersion(false);
    s.SetCheckVersionDays(9);
    s.SetCheckBetaVersion(true);
    s.SetSwitchOnMouseOver(false);
    s.SetActivateOnScroll(true);
    s.SetActivateOnMouseOver(true);
    s.SetFixVS2010(true);
    s.SetEnableOSD(false);
    s.SetAlwaysShowOSD(true);
    s.SetSortActionsAlphabetically(true);
    s.put_EnableDebounce(true);
    s.put_DebounceFromUp(true);
    s.put_DebounceTime(75);
    s.SetMouseJiggler(true);
    s.SetMouseJigglerTimeout(12);
    s.SetLoadUSEnglish(true);
    s.SetCPUPriority(32);
    s.SetSimKeyDelay(25);
    s.put_SearchURL(L"https://search.example/?q=");
    s.SetLanguage(L"Deutsch.xml");
    for (int i = 0; i < 19; ++i) {
        CHotkey* hotkey = s.GetHotKeys()->GetHotkey(static_cast<GlobalHotkeys>(i));
        hotkey->SetVirtualKey(static_cast<unsigned short>(0x41 + i));
        hotkey->SetModifier(static_cast<unsigned short>(1 + i % 4));
    }
    for (int i = 0; i < 12; ++i) {
        CHotkey* key = s.GetLayerModifierKeys()->GetHotkey(static_cast<ModifierKeys>(i));
        key->SetVirtualKey(static_cast<unsigned short>(0x70 + i));
        key->SetModifier(static_cast<unsigned short>(8 - i % 3));
    }
}

void ExpectSameOptions(const CSettings& e, const CSettings& a) {
    EXPECT_EQ(e.OfficeMouse(), a.OfficeMouse());
    EXPECT_EQ(e.MaxLayers(), a.MaxLayers());
    EXPECT_EQ(e.LoggingDisabled(), a.LoggingDisabled());
    EXPECT_EQ(e.RazorMouse(), a.RazorMouse());
    EXPECT_EQ(e.ScrollWindowUnderCursor(), a.ScrollWindowUnderCursor());
    EXPECT_EQ(e.ScrollLockBypass(), a.ScrollLockBypass());
    EXPECT_EQ(e.ScrollLockBypassDisabled(), a.ScrollLockBypassDisabled());
    EXPECT_EQ(e.Swap4and5(), a.Swap4and5());
    EXPECT_EQ(e.Swap4and5inRDP(), a.Swap4and5inRDP());
    EXPECT_EQ(e.DisableInRDP(), a.DisableInRDP());
    EXPECT_EQ(e.ShowTrayIcon(), a.ShowTrayIcon());
    EXPECT_EQ(e.DisableReinstallOnResume(), a.DisableReinstallOnResume());
    EXPECT_EQ(e.Notifications(), a.Notifications());
    EXPECT_EQ(e.NotificationsLayer(), a.NotificationsLayer());
    EXPECT_EQ(e.MovementToScrollCursor(), a.MovementToScrollCursor());
    EXPECT_EQ(e.get_ResetStickyOnAnyButton(), a.get_ResetStickyOnAnyButton());
    EXPECT_EQ(e.get_ResetStickyOnAnyKey(), a.get_ResetStickyOnAnyKey());
    EXPECT_EQ(e.get_ResetStickyOnLayerChange(), a.get_ResetStickyOnLayerChange());
    EXPECT_EQ(e.GlobalHotkeysEnabled(), a.GlobalHotkeysEnabled());
    EXPECT_EQ(e.LayerModifierKeysEnabled(), a.LayerModifierKeysEnabled());
    EXPECT_EQ(e.ProcessNonClientMsgs(), a.ProcessNonClientMsgs());
    EXPECT_EQ(e.IgnoreNumlock(), a.IgnoreNumlock());
    EXPECT_EQ(e.LeftClickCycleLayers(), a.LeftClickCycleLayers());
    EXPECT_EQ(e.FixTiltRepeat(), a.FixTiltRepeat());
    EXPECT_EQ(e.InitialTiltDelay(), a.InitialTiltDelay());
    EXPECT_EQ(e.RepeatTiltDelay(), a.RepeatTiltDelay());
    EXPECT_EQ(e.CheckVersion(), a.CheckVersion());
    EXPECT_EQ(e.CheckVersionDays(), a.CheckVersionDays());
    EXPECT_EQ(e.CheckBetaVersion(), a.CheckBetaVersion());
    EXPECT_EQ(e.SwitchOnMouseOver(), a.SwitchOnMouseOver());
    EXPECT_EQ(e.ActivateOnScroll(), a.ActivateOnScroll());
    EXPECT_EQ(e.ActivateOnMouseOver(), a.ActivateOnMouseOver());
    EXPECT_EQ(e.FixVS2010(), a.FixVS2010());
    EXPECT_EQ(e.EnableOSD(), a.EnableOSD());
    EXPECT_EQ(e.AlwaysShowOSD(), a.AlwaysShowOSD());
    EXPECT_EQ(e.SortActionsAlphabetically(), a.SortActionsAlphabetically());
    EXPECT_EQ(e.get_EnableDebounce(), a.get_EnableDebounce());
    EXPECT_EQ(e.get_DebounceFromUp(), a.get_DebounceFromUp());
    EXPECT_EQ(e.get_DebounceTime(), a.get_DebounceTime());
    EXPECT_EQ(e.MouseJiggler(), a.MouseJiggler());
    EXPECT_EQ(e.MouseJigglerTimeout(), a.MouseJigglerTimeout());
    EXPECT_EQ(e.LoadUSEnglish(), a.LoadUSEnglish());
    EXPECT_EQ(e.CPUPriority(), a.CPUPriority());
    EXPECT_EQ(e.SimKeyDelay(), a.SimKeyDelay());
    EXPECT_EQ(Text(e.get_SearchURL()), Text(a.get_SearchURL()));
    EXPECT_EQ(Text(e.GetLanguage()), Text(a.GetLanguage()));
    for (int i = 0; i < 19; ++i) {
        auto slot = static_cast<GlobalHotkeys>(i);
        EXPECT_EQ(e.GetHotKeys()->GetHotkey(slot)->GetVirtualKey(),
                  a.GetHotKeys()->GetHotkey(slot)->GetVirtualKey());
        EXPECT_EQ(e.GetHotKeys()->GetHotkey(slot)->GetModifier(),
                  a.GetHotKeys()->GetHotkey(slot)->GetModifier());
    }
    for (int i = 0; i < 12; ++i) {
        auto slot = static_cast<ModifierKeys>(i);
        EXPECT_EQ(e.GetLayerModifierKeys()->GetHotkey(slot)->GetVirtualKey(),
                  a.GetLayerModifierKeys()->GetHotkey(slot)->GetVirtualKey());
        EXPECT_EQ(e.GetLayerModifierKeys()->GetHotkey(slot)->GetModifier(),
                  a.GetLayerModifierKeys()->GetHotkey(slot)->GetModifier());
    }
}

std::vector<std::string> RootChildren(const std::string& bytes) {
    pugi::xml_document document;
    EXPECT_TRUE(document.load_buffer(bytes.data(), bytes.size()));
    std::vector<std::string> names;
    for (pugi::xml_node child : document.child("root").children())
        names.emplace_back(child.name());
    return names;
}

TEST_F(SettingsFileTest, EverySettingSurvivesSaveAndLoad) {
    CSettings original;
    FillOptions(original);
    FillProfile(*original.GetDefaultApp(), original.SimKeyDelay(), 0);
    const Char* names[] = {L"notepad.exe", L"W3:Title \\;| App.exe \\;| Cls", L"calc.exe"};
    for (int i = 0; i < 3; ++i) {
        auto* profile = new CApplicationSettings(&original, false);
        profile->SetApplication(names[i]);
        FillProfile(*profile, original.SimKeyDelay(), i + 1);
        if (i == 0) {
            // A plain profile: matched on the process name alone.
            profile->SetRegExMatching(false);
            profile->SetNoParentFlag(false);
            profile->SetWindowMask(wmWholeWindow);
        }
        original.AddApplication(profile);
    }
    ASSERT_TRUE(original.Save(kSettingsPath));

    CSettings loaded;
    bool region = false;
    ASSERT_TRUE(LoadSettings(loaded, kSettingsPath, &region));
    EXPECT_TRUE(region);
    ExpectSameOptions(original, loaded);
    {
        SCOPED_TRACE("default profile");
        ExpectSameProfile(*original.GetDefaultApp(), *loaded.GetDefaultApp());
    }
    ASSERT_EQ(loaded.GetApplicationCount(), 3);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        ExpectSameProfile(*original.GetApplication(i), *loaded.GetApplication(i));
    }
    EXPECT_EQ(loaded.GetApplications().size(), 1u);
    EXPECT_EQ(loaded.GetCustomApplications().size(), 2u);
    EXPECT_TRUE(loaded.HasCaptionProfiles());

    // The file: UTF-8 with a byte-order mark, the version first, options in their order.
    std::string bytes = FileBytes(desktop);
    ASSERT_GE(bytes.size(), 3u);
    EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(bytes.find("<version build=\"0\" revision=\"0\" minor=\"14\" major=\"2\""),
              std::string::npos);
    EXPECT_NE(bytes.find("<CheckVersion Days=\"9\" Enable=\"false\" Beta=\"true\""),
              std::string::npos);
    std::vector<std::string> expected = {
        "version",           "OfficeMouse",      "Layers",
        "Logging",           "RazorMouse",       "ScrollWheel",
        "ScrollLock",        "Swap4and5",        "RemoteDesktop",
        "TrayIcon",          "ReinstallHook",    "BalloonNotification",
        "MovementToScroll",  "ResetSticky",      "GlobalHotkeys",
        "LayerModifierKeys", "NonClientMsgs",    "SimulatedKeystrokes",
        "LeftClickTrayIcon", "FixTiltRepeat",    "CheckVersion",
        "SwitchOnMouseOver", "ActivateOnScroll", "ActivateOnMouseOver",
        "VisualStudio2010",  "OnScreenDisplay",  "SortActions",
        "ButtonDebounce",    "InactivityTimer",  "KeyboardLayout",
        "Priority",          "SimulatedKeys",    "Search",
        "Language",          "Default",          "Applications"};
    EXPECT_EQ(RootChildren(bytes), expected);
    EXPECT_FALSE(desktop.files.Exists(L"C:\\x\\VESKSettings.xml.tmp"));
}

// The profiles are written as text beside the parser's save of the rest: the file must be,
// byte for byte, what the parser writes for its own parse of that file, with awkward text
// in every kind of value, for both button namings, and when the user's own text in the file
// holds the text that marks the profiles' place (the profiles then go through the document).
TEST_F(SettingsFileTest, SavedFileIsWhatTheParserWritesForItsOwnParse) {
    for (bool markerInFile : {false, true}) {
        for (bool office : {false, true}) {
            SCOPED_TRACE(testing::Message() << "marker " << markerInFile << " office " << office);
            desktop.files.WriteFile(
                kSettingsPath,
                SettingsXml(markerInFile ? "<![CDATA[\n\t\t<?pallawick-profiles?>]]>" : ""));
            CSettings original(office);
            ASSERT_TRUE(LoadSettings(original));
            for (int i = 0; i < 3; ++i) {
                auto* profile = new CApplicationSettings(&original, false);
                profile->SetApplication((L"app" + std::to_wstring(i) + L".exe").c_str());
                FillProfile(*profile, original.SimKeyDelay(), i + 1);
                profile->SetDescription(L"q\"a'm&l<g> t\tn\nr\r\x01\x1f \u00e9\u4e2d\U0001F600");
                profile->SetLayerName(L"", 2);
                original.AddApplication(profile);
            }
            ASSERT_TRUE(original.Save(kSettingsPath));

            const std::string bytes = FileBytes(desktop);
            pugi::xml_document document;
            ASSERT_TRUE(document.load_buffer(bytes.data(), bytes.size()));
            std::ostringstream resaved;
            document.save(resaved, "\t", pugi::format_default | pugi::format_write_bom,
                          pugi::encoding_utf8);
            EXPECT_EQ(resaved.str(), bytes);
            EXPECT_EQ(bytes.find("pallawick-profiles") != std::string::npos, markerInFile);

            CSettings loaded;
            ASSERT_TRUE(LoadSettings(loaded));
            ASSERT_EQ(loaded.GetApplicationCount(), 3);
            if (office)
                continue; // the office mouse's naming drops a button's slots and chords
            for (int i = 0; i < 3; ++i)
                ExpectSameProfile(*original.GetApplication(i), *loaded.GetApplication(i));
        }
    }
}

TEST_F(SettingsFileTest, AbsentAttributesReadAsTheirDefaults) {
    desktop.files.WriteFile(kSettingsPath, SettingsXml(""));
    CSettings settings;
    settings.SetRazorMouse(true); // kept: "current" when absent
    ASSERT_TRUE(LoadSettings(settings));
    EXPECT_TRUE(settings.RazorMouse());
    EXPECT_EQ(settings.MaxLayers(), 2);
    EXPECT_EQ(settings.GetApplicationCount(), 0);
    EXPECT_EQ(Text(settings.GetLanguage()), L"");
    EXPECT_EQ(Text(settings.get_SearchURL()), CSettings::kDefaultSearchURL);

    desktop.files.WriteFile(kSettingsPath,
                            SettingsXml("<Applications><Application Name=\"a.exe\">"
                                        "<AutoSwitch/><Left action=\"28\" keys=\"x\"/>"
                                        "<Right action=\"28\"/></Application></Applications>"));
    ASSERT_TRUE(LoadSettings(settings));
    ASSERT_EQ(settings.GetApplicationCount(), 1);
    const CApplicationSettings& profile = *settings.GetApplication(0);
    EXPECT_FALSE(profile.IsEnabled());
    EXPECT_EQ(profile.GetIgnoreVScrollTime(), 200);
    EXPECT_EQ(profile.GetIgnoreHScrollTime(), 400);
    EXPECT_EQ(profile.AdvScrollMethod(), 8);
    // A missing multiplier is the class's own 1, as for a new profile.
    EXPECT_EQ(profile.AdvScrollVertical(),
              CApplicationSettings(nullptr, false).AdvScrollVertical());
    EXPECT_EQ(profile.AdvScrollHorizontal(), 1);
    EXPECT_EQ(profile.GetWindowMask(), wmWholeWindow);
    EXPECT_EQ(profile.ScrollLines(), settings.SystemWheelLines());
    EXPECT_EQ(profile.GetAutoSwitchTime(4), 1);
    EXPECT_EQ(profile.GetLayerName(0), nullptr); // no LayerNames element
    EXPECT_EQ(Text(profile.GetKeystrokes(mbLeft, 0)), L"x");
    EXPECT_EQ(profile.SendKeyAction(mbLeft, 0), 0);
    EXPECT_TRUE(profile.SendKeyWhenActive(mbLeft, 0));
    EXPECT_TRUE(profile.BlockMouse(mbLeft, 0));
    // Without "keys" the slot keeps its keystroke defaults.
    EXPECT_EQ(profile.GetKeystrokes(mbRight, 0), nullptr);
    EXPECT_EQ(profile.SendKeyAction(mbRight, 0), 2);
}

TEST_F(SettingsFileTest, LayersInUseFollowTheProfilesUnlessTheFileSaysOtherwise) {
    auto file = [](const std::string& layers, const std::string& leftAction) {
        return SettingsXml(layers +
                           "<Applications><Application Name=\"a.exe\"><Left_Layer4 "
                           "action=\"" +
                           leftAction + "\"/></Application></Applications>");
    };
    struct Case {
        std::string layers;
        std::string action;
        int expected;
    } cases[] = {{"", "41", 5},
                 {"<Layers Number=\"3\"/>", "41", 3},
                 {"<Layers Number=\"15\"/>", "41", 10},
                 {"<Layers Number=\"0\"/>", "41", 0},
                 {"<Layers Number=\"-4\"/>", "41", 5},
                 {"", "74", 2},
                 {"", "52", 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layers + " action " + c.action);
        desktop.files.WriteFile(kSettingsPath, file(c.layers, c.action));
        CSettings settings;
        ASSERT_TRUE(LoadSettings(settings));
        EXPECT_EQ(settings.MaxLayers(), c.expected);
    }
}

TEST_F(SettingsFileTest, DefaultProfileNestsItsLayersAndTurns74Into40) {
    desktop.files.WriteFile(
        kSettingsPath,
        SettingsXml("<Default Enabled=\"1\" SwapButtons=\"2\" AdvScrollVert=\"3\" "
                    "DisableScrollUnderCursor=\"true\">"
                    "<Layer name=\"Base\" autoswitchtime=\"0x10\"/><Left action=\"74\"/>"
                    "<Layer3><Layer name=\"Three\" disabled=\"yes\"/><Right action=\"5\"/></Layer3>"
                    "<Layer9><WheelDown action=\"74\"/></Layer9></Default>"));
    CSettings settings;
    ASSERT_TRUE(LoadSettings(settings));
    const CApplicationSettings& profile = *settings.GetDefaultApp();
    EXPECT_TRUE(profile.IsDefault());
    EXPECT_EQ(Text(profile.GetFullName()), L"Default");
    EXPECT_TRUE(profile.IsEnabled());
    EXPECT_EQ(profile.SwapButtons(), swapUnchanged);
    EXPECT_EQ(profile.AdvScrollVertical(), 3);
    EXPECT_EQ(profile.AdvScrollHorizontal(), 1);
    EXPECT_TRUE(profile.GetDisableScrollUnderCursor());
    EXPECT_EQ(Text(profile.GetLayerName(0)), L"Base");
    EXPECT_EQ(profile.GetAutoSwitchTime(0), 16);
    EXPECT_EQ(Text(profile.GetLayerName(3)), L"Three");
    EXPECT_TRUE(profile.GetLayerDisabled(3));
    EXPECT_EQ(profile.GetActions(mbLeft, 0), actNoChange);
    EXPECT_EQ(profile.GetActions(mbRight, 3), actMiddleClick);
    EXPECT_EQ(profile.GetActions(mbWheelDown, 9), actNoChange);
    EXPECT_EQ(settings.MaxLayers(), 4);
}

TEST_F(SettingsFileTest, OfficeMouseRenamesTheSecondMiddleButtonAndDropsTiltRight) {
    CSettings office(true);
    auto* profile = new CApplicationSettings(&office, false);
    profile->SetApplication(L"a.exe");
    profile->SetActions(mbTiltLeft, 1, actCopy);
    auto* chords = new CVESKChords;
    profile->SetChords(mbLeft, 0, chords);
    office.AddApplication(profile);
    ASSERT_TRUE(office.Save(kSettingsPath));
    std::string bytes = FileBytes(desktop);
    EXPECT_NE(bytes.find("<OfficeMouseMiddle_Layer1 action=\"8\""), std::string::npos);
    EXPECT_NE(bytes.find("<OfficeMouse Enable=\"true\""), std::string::npos);
    EXPECT_EQ(bytes.find("TiltRight"), std::string::npos);
    EXPECT_EQ(bytes.find("<TiltLeft"), std::string::npos);

    desktop.files.WriteFile(
        kSettingsPath,
        SettingsXml("<OfficeMouse Enable=\"true\"/><Applications><Application Name=\"a.exe\">"
                    "<OfficeMouseMiddle action=\"8\"/><TiltRight action=\"9\"/>"
                    "<TiltLeft action=\"10\"/></Application></Applications>"));
    CSettings settings;
    ASSERT_TRUE(LoadSettings(settings));
    EXPECT_TRUE(settings.OfficeMouse());
    EXPECT_EQ(settings.GetApplication(0)->GetActions(mbTiltLeft, 0), actCopy);
    EXPECT_EQ(settings.GetApplication(0)->GetActions(mbTiltRight, 0), actNoChange);
}

TEST_F(SettingsFileTest, SimulatedKeyDelayAboveSixtyBecomesOne) {
    for (auto [text, expected] : {std::pair{"61", 1}, {"-1", 1}, {"60", 60}, {"0x20", 32}}) {
        SCOPED_TRACE(text);
        desktop.files.WriteFile(
            kSettingsPath, SettingsXml(std::string("<SimulatedKeys Delay=\"") + text + "\"/>"));
        CSettings settings;
        ASSERT_TRUE(LoadSettings(settings));
        EXPECT_EQ(settings.SimKeyDelay(), expected);
    }
}

TEST_F(SettingsFileTest, OnlyRealWindowRegionsTurnOnRegionChecking) {
    CLogger::EnableDebug(true);
    auto file = [](const char* mask) {
        return SettingsXml(std::string("<Applications><Application Name=\"a.exe\" WindowMask=\"") +
                           mask + "\"/></Applications>");
    };
    desktop.files.WriteFile(kSettingsPath, file("0"));
    CSettings settings;
    bool region = false;
    ASSERT_TRUE(LoadSettings(settings, kSettingsPath, &region));
    EXPECT_FALSE(region);
    EXPECT_EQ(settings.GetApplication(0)->GetWindowMask(), wmNone);
    EXPECT_FALSE(Logged(L"Window regions are defined. Enabled region checking"));

    desktop.files.WriteFile(kSettingsPath, file("5"));
    ASSERT_TRUE(LoadSettings(settings, kSettingsPath, &region));
    EXPECT_TRUE(region);
    EXPECT_TRUE(Logged(L"Window regions are defined. Enabled region checking"));
}

TEST_F(SettingsFileTest, SaveKeepsUnknownElementsAndDropsRetiredOnes) {
    desktop.files.WriteFile(
        kSettingsPath,
        SettingsXml("<IconSettings Count=\"2\"><Icon x=\"1\"/></IconSettings>"
                    "<FixScrollWindows/><ScrollWindows/><TrayIcon Show=\"false\" Extra=\"kept\"/>"
                    "<Default><Left action=\"128\"><chords><Right action=\"8\"/></chords></Left>"
                    "</Default><Applications><Application Name=\"old.exe\"/></Applications>"));
    CSettings settings;
    ASSERT_TRUE(LoadSettings(settings));
    ASSERT_NE(settings.GetDefaultApp()->GetChords(mbLeft, 0), nullptr);
    // The chord set is removed in the settings program, and so must leave the file.
    settings.GetDefaultApp()->CopyChords(mbLeft, 0, nullptr);
    settings.SetShowTrayIcon(true);
    ASSERT_TRUE(settings.Save(kSettingsPath));

    std::string bytes = FileBytes(desktop);
    EXPECT_NE(bytes.find("<IconSettings Count=\"2\">"), std::string::npos);
    EXPECT_NE(bytes.find("<Icon x=\"1\""), std::string::npos);
    EXPECT_NE(bytes.find("<TrayIcon Show=\"true\" Extra=\"kept\""), std::string::npos);
    EXPECT_EQ(bytes.find("FixScrollWindows"), std::string::npos);
    EXPECT_EQ(bytes.find("ScrollWindows"), std::string::npos);
    EXPECT_EQ(bytes.find("chords"), std::string::npos);
    EXPECT_NE(bytes.find("old.exe"), std::string::npos);
    // Existing elements keep their place: the unknown element stays right after version.
    std::vector<std::string> children = RootChildren(bytes);
    ASSERT_GE(children.size(), 3u);
    EXPECT_EQ(children[1], "IconSettings");
    EXPECT_EQ(children[2], "TrayIcon");
}

TEST_F(SettingsFileTest, SaveUpdatesTheHookTimeoutOnlyWhenItDiffers) {
    desktop.registry.SetDword(L"HKCU\\Control Panel\\Desktop", L"LowLevelHooksTimeout", 500);
    CSettings settings;
    bool region = false;
    settings.Load(kSettingsPath, region, false); // no file: fails, but reads the timeout
    EXPECT_EQ(settings.HooksTimeout(), 500);
    settings.SetHooksTimeout(900);
    ASSERT_TRUE(settings.Save(kSettingsPath));
    EXPECT_TRUE(Logged(L"Updating Windows hook timeout: 900"));
    CSettings reread;
    reread.Load(kSettingsPath, region, false);
    EXPECT_EQ(reread.HooksTimeout(), 900);
}

} // namespace
