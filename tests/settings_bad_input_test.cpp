#include "hook/library.h"
#include "platform/sim/simulated_desktop.h"
#include "settings/application_settings.h"
#include "settings/hotkeys.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/settings_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

using namespace pw::test;

namespace {

class SettingsBadInputTest : public ::testing::Test {
  protected:
    SettingsBadInputTest() { desktop.files.CreateDirectory(L"C:\\x"); }
    ~SettingsBadInputTest() override { CLogger::EnableDebug(false); }
    bool Logged(StringView text) { return desktop.diagnostics.DebugOutputContains(text); }

    // A settings object with state that a failed load must not touch.
    static void MarkSettings(CSettings& settings) {
        settings.SetRazorMouse(true);
        settings.SetMaxLayers(6);
        auto* profile = new CApplicationSettings(&settings, false);
        profile->SetApplication(L"kept.exe");
        settings.AddApplication(profile);
    }
    static bool StillMarked(const CSettings& settings) {
        return settings.RazorMouse() && settings.MaxLayers() == 6 &&
               settings.GetApplicationCount() == 1 &&
               String(settings.GetApplication(0)->GetFullName()) == L"kept.exe";
    }
    static void ExpectMarked(const CSettings& settings) {
        EXPECT_TRUE(settings.RazorMouse());
        EXPECT_EQ(settings.MaxLayers(), 6);
        ASSERT_EQ(settings.GetApplicationCount(), 1);
        EXPECT_STREQ(settings.GetApplication(0)->GetFullName(), L"kept.exe");
    }

    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
};

std::string ValidFile() {
    return SettingsXml("<TrayIcon Show=\"false\"/><Applications><Application Name=\"a.exe\">"
                       "<Left action=\"8\"/></Application><Application Name=\"b.exe\"/>"
                       "</Applications>");
}

TEST_F(SettingsBadInputTest, UnreadableFilesFailAndLeaveSettingsAndFileAlone) {
    std::string valid = ValidFile();
    struct Case {
        const char* what;
        std::string bytes;
        const Char* logged;
    } cases[] = {
        {"empty", "", L"There is a problem with your XML Settings file: No document element found"},
        {"truncated", valid.substr(0, valid.size() / 2),
         L"There is a problem with your XML Settings file: "},
        {"not XML", "just some text, no markup", L"There is a problem with your XML Settings file"},
        {"binary", std::string("\x00\x01\x02\xff\xfe\x00<", 7),
         L"There is a problem with your XML Settings file"},
        {"no root", "<?xml version=\"1.0\"?><settings><TrayIcon Show=\"0\"/></settings>",
         L"has no 'root' element"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        desktop.diagnostics.ClearDebugLines();
        desktop.files.WriteFile(kSettingsPath, c.bytes);
        CSettings settings;
        MarkSettings(settings);
        EXPECT_FALSE(LoadSettings(settings));
        ExpectMarked(settings);
        EXPECT_TRUE(Logged(c.logged));
        EXPECT_EQ(FileBytes(desktop), c.bytes);
    }

    desktop.diagnostics.ClearDebugLines();
    CSettings settings;
    MarkSettings(settings);
    EXPECT_FALSE(LoadSettings(settings, L"C:\\x\\missing.xml"));
    ExpectMarked(settings);
    EXPECT_TRUE(Logged(L"There is a problem with your XML Settings file: File was not found"));
    EXPECT_FALSE(desktop.files.Exists(L"C:\\x\\missing.xml"));
}

TEST_F(SettingsBadInputTest, ReadOnlyAndSharedFilesLoadAndImport) {
    constexpr const Char* kImportPath = L"C:\\x\\Profiles.xml";
    desktop.files.WriteFile(kSettingsPath, ValidFile());
    desktop.files.WriteFile(kImportPath, "<root><Applications><Application Name=\"c.exe\"/>"
                                         "</Applications></root>");
    // A read-only file, and one another program holds open sharing only reading.
    for (uint32_t denial :
         {pw::platform::kErrorAccessDenied, pw::platform::kErrorSharingViolation}) {
        SCOPED_TRACE(denial);
        desktop.files.DenyWrites(kSettingsPath, denial);
        desktop.files.DenyWrites(kImportPath, denial);
        CSettings settings;
        ASSERT_TRUE(LoadSettings(settings));
        EXPECT_FALSE(settings.ShowTrayIcon());
        EXPECT_EQ(settings.GetApplicationCount(), 2);
        EXPECT_EQ(settings.Import(kImportPath, nullptr, L"Replace", nullptr), 1);
        EXPECT_EQ(settings.GetApplicationCount(), 3);

        // Saving over it fails and leaves it as it was.
        EXPECT_FALSE(settings.Save(kSettingsPath));
        EXPECT_EQ(FileBytes(desktop), ValidFile());
        EXPECT_FALSE(desktop.files.Exists(L"C:\\x\\VESKSettings.xml.tmp"));
    }
    desktop.files.DenyWrites(kSettingsPath, 0);
    desktop.files.DenyWrites(kImportPath, 0);
}

// Prefixes of the example file, as a write cut short leaves it: each either fails to
// load, leaving the settings as they were, or loads everything the whole file holds.
// Every cut just after a '<' is tried, and a spread of the others.
TEST_F(SettingsBadInputTest, ACutOffFileNeverLoadsAsPartOfItself) {
    std::ifstream in(PALLAWICK_SOURCE_DIR "/examples/settings.xml", std::ios::binary);
    const std::string example{std::istreambuf_iterator<char>(in), {}};
    ASSERT_GT(example.size(), 1000u);
    constexpr const Char* kSavedPath = L"C:\\x\\Saved.xml";
    auto savedBytes = [&](CSettings& settings) {
        desktop.files.Remove(kSavedPath);
        EXPECT_TRUE(settings.Save(kSavedPath));
        return FileBytes(desktop, kSavedPath);
    };
    desktop.files.WriteFile(kSettingsPath, example);
    CSettings whole;
    ASSERT_TRUE(LoadSettings(whole));
    const int profiles = whole.GetApplicationCount();
    ASSERT_GT(profiles, 0);
    const std::string expected = savedBytes(whole);

    std::vector<size_t> broken;
    std::vector<size_t> brokenImports;
    for (size_t length = 0; length < example.size(); ++length) {
        const bool atTag = length > 0 && example[length - 1] == '<';
        if (!atTag && length % 41 != 0 && length + 16 < example.size())
            continue;
        const std::string_view prefix(example.data(), length);
        desktop.files.WriteFile(kSettingsPath, prefix);
        desktop.diagnostics.ClearDebugLines();
        CSettings settings;
        MarkSettings(settings);
        bool loaded = LoadSettings(settings);
        if (loaded ? savedBytes(settings) != expected : !StillMarked(settings))
            broken.push_back(length);
        // The same file imported: all of its profiles or none.
        if (atTag) {
            CSettings importer;
            int imported = importer.Import(kSettingsPath, nullptr, L"Replace", nullptr);
            if (imported != 0 && imported != profiles)
                brokenImports.push_back(length);
        }
    }
    EXPECT_TRUE(broken.empty()) << broken.size() << " prefixes load partly, the first "
                                << broken.front() << " bytes long";
    EXPECT_TRUE(brokenImports.empty()) << brokenImports.size() << " prefixes import partly";

    // Cut after a '<' it fails and says why; an unknown tag inside still loads what came
    // before it.
    const size_t cut = example.find("<Applications>") + 1;
    desktop.files.WriteFile(kSettingsPath, example.substr(0, cut) + "\r\n");
    CSettings settings;
    EXPECT_FALSE(LoadSettings(settings));
    EXPECT_TRUE(Logged(L"ends in the middle of a tag; it was cut off and nothing was loaded"));
    desktop.files.WriteFile(kSettingsPath,
                            example.substr(0, cut) + " Applications>" + example.substr(cut + 13));
    ASSERT_TRUE(LoadSettings(settings));
    EXPECT_EQ(settings.GetApplicationCount(), 0);
    EXPECT_EQ(settings.MaxLayers(), whole.MaxLayers());
}

TEST_F(SettingsBadInputTest, OtherEncodingsLoadAndInvalidUtf8IsNamed) {
    // Latin-1 bytes in a file that claims nothing: read as UTF-8 with replacements.
    desktop.files.WriteFile(kSettingsPath, SettingsXml("<Language filename=\"Fran\xe7"
                                                       "ais.xml\"/>"));
    CSettings settings;
    ASSERT_TRUE(LoadSettings(settings));
    EXPECT_TRUE(Logged(L"is not valid UTF-8"));
    EXPECT_EQ(String(settings.GetLanguage()), L"Fran\uFFFDais.xml");

    // A declared Latin-1 file is converted.
    desktop.files.WriteFile(kSettingsPath,
                            "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><root><Language "
                            "filename=\"Fran\xe7"
                            "ais.xml\"/></root>");
    ASSERT_TRUE(LoadSettings(settings));
    EXPECT_EQ(String(settings.GetLanguage()), L"Fran\u00e7ais.xml");

    // UTF-16 with a byte-order mark.
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("<root><Layers Number=\"4\"/></root>")) {
        utf16 += c;
        utf16 += '\0';
    }
    desktop.files.WriteFile(kSettingsPath, utf16);
    ASSERT_TRUE(LoadSettings(settings));
    EXPECT_EQ(settings.MaxLayers(), 4);
}

TEST_F(SettingsBadInputTest, OutOfRangeValuesLoadAsDefinedValuesWithALogLine) {
    desktop.files.WriteFile(
        kSettingsPath,
        SettingsXml("<FixTiltRepeat InitialDelay=\"-5\"/><ButtonDebounce Time=\"-1\"/>"
                    "<GlobalHotkeys><Hotkey3 Key=\"70000\" Modifier=\"2\"/><Hotkey40 Key=\"1\"/>"
                    "</GlobalHotkeys><Applications><Application Name=\"a.exe\" SwapButtons=\"7\" "
                    "WindowMask=\"77\" IgnoreVScrollTime=\"-3\">"
                    "<AutoSwitch layer1_switch=\"99\" layer1_time=\"-2\"/>"
                    "<Left action=\"500\"/><Right action=\"-1\"/>"
                    "<Middle action=\"28\" keys=\"a\" keyaction=\"99\" keyrepeat=\"-7\"/>"
                    "<XLeft action=\"0x7fffffffff\"/><Left_Layer12 action=\"8\"/>"
                    "</Application></Applications>"));
    CSettings settings;
    bool region = false;
    ASSERT_TRUE(LoadSettings(settings, kSettingsPath, &region));
    EXPECT_FALSE(region);
    EXPECT_EQ(settings.InitialTiltDelay(), 200);
    EXPECT_EQ(settings.get_DebounceTime(), 50);
    EXPECT_EQ(settings.GetHotKeys()->GetHotkey(static_cast<GlobalHotkeys>(3))->GetVirtualKey(), 0);
    EXPECT_EQ(settings.GetHotKeys()->GetHotkey(static_cast<GlobalHotkeys>(3))->GetModifier(), 2);
    ASSERT_EQ(settings.GetApplicationCount(), 1);
    const CApplicationSettings& profile = *settings.GetApplication(0);
    EXPECT_EQ(profile.SwapButtons(), swapUnchanged);
    EXPECT_EQ(profile.GetWindowMask(), wmWholeWindow);
    EXPECT_EQ(profile.GetIgnoreVScrollTime(), 200);
    EXPECT_EQ(profile.GetAutoSwitchLayer(0), 0);
    EXPECT_EQ(profile.GetAutoSwitchTime(0), 1);
    // Unknown action codes and send modes are kept as read (a later settings program may
    // know them) and logged; only run time decides what they do.
    EXPECT_EQ(profile.GetActions(mbLeft, 0), 500);
    EXPECT_EQ(profile.GetActions(mbRight, 0), -1);
    EXPECT_FALSE(pw::settings::IsValidAction(profile.GetActions(mbXLeft, 0)));
    EXPECT_EQ(profile.SendKeyAction(mbMiddle, 0), 99);
    EXPECT_EQ(profile.SendKeyRepeat(mbMiddle, 0), 0);
    EXPECT_EQ(settings.MaxLayers(), 2);
    EXPECT_TRUE(Logged(L"Profile 'a.exe', <Left>: 'action' = 500 is not a known value"));
    EXPECT_TRUE(Logged(L"'keyaction' = 99 is not a known value"));
    EXPECT_TRUE(Logged(L"The attribute 'Key' of <Hotkey3> has the out-of-range value 70000"));
    EXPECT_TRUE(
        Logged(L"The attribute 'WindowMask' of <Application> has the out-of-range value 77"));
    EXPECT_TRUE(Logged(L"The attribute 'InitialDelay' of <FixTiltRepeat>"));
}

TEST_F(SettingsBadInputTest, OverLongTextsAreCutAndUnknownNamesAreLogged) {
    CLogger::EnableDebug(true);
    std::string keys(40000, 'k');
    std::string path = "C:\\" + std::string(5000, 'p');
    desktop.files.WriteFile(
        kSettingsPath,
        SettingsXml("<Future Mode=\"x\"/><Applications><Application Name=\"a.exe\" Colour=\"red\">"
                    "<Left action=\"28\" keys=\"" +
                    keys + "\" shape=\"round\"/><Right action=\"41\" app=\"" + path +
                    "\"/><Gizmo/></Application></Applications>"));
    CSettings settings;
    ASSERT_TRUE(LoadSettings(settings));
    const CApplicationSettings& profile = *settings.GetApplication(0);
    EXPECT_EQ(String(profile.GetKeystrokes(mbLeft, 0)).size(), 32767u);
    EXPECT_EQ(String(profile.GetLaunchApp(mbRight, 0)).size(), 4095u);
    EXPECT_TRUE(Logged(L"The attribute 'keys' of <Left> is 40000 characters long"));
    EXPECT_TRUE(Logged(L"The attribute 'app' of <Right> is 5003 characters long"));
    EXPECT_TRUE(Logged(L"ignoring the unknown attribute 'shape'"));
    EXPECT_TRUE(Logged(L"Profile 'a.exe': ignoring the unknown element <Gizmo>"));
    EXPECT_TRUE(Logged(L"CSettings::Load: Ignoring the unknown element <Future>"));
}

TEST_F(SettingsBadInputTest, SavingOverADamagedFileKeepsACopyOfIt) {
    std::string damaged = ValidFile().substr(0, 150);
    desktop.files.WriteFile(kSettingsPath, damaged);
    CSettings settings;
    settings.SetShowTrayIcon(false);
    ASSERT_TRUE(settings.Save(kSettingsPath));
    EXPECT_TRUE(Logged(L"There is a problem with your existing XML Settings file"));
    EXPECT_TRUE(
        Logged(L"Kept a copy of the damaged settings file as 'C:\\x\\VESKSettings.xml.bad'"));
    EXPECT_EQ(FileBytes(desktop, L"C:\\x\\VESKSettings.xml.bad"), damaged);

    CSettings reloaded;
    ASSERT_TRUE(LoadSettings(reloaded));
    EXPECT_FALSE(reloaded.ShowTrayIcon());

    // A well-formed file of some other kind is not extended with a second top element.
    std::string foreign = "<?xml version=\"1.0\"?><other a=\"1\"/>";
    desktop.files.WriteFile(kSettingsPath, foreign);
    ASSERT_TRUE(settings.Save(kSettingsPath));
    ASSERT_TRUE(LoadSettings(reloaded));

    // Each later damaged file is kept too: the newest as .bad, older ones numbered, and
    // only the oldest of five is dropped.
    EXPECT_EQ(FileBytes(desktop, L"C:\\x\\VESKSettings.xml.bad"), foreign);
    EXPECT_EQ(FileBytes(desktop, L"C:\\x\\VESKSettings.xml.bad.1"), damaged);
    std::vector<std::string> later;
    for (int i = 0; i < 4; ++i) {
        later.push_back(damaged + "<!-- " + std::to_string(i));
        desktop.files.WriteFile(kSettingsPath, later.back());
        ASSERT_TRUE(settings.Save(kSettingsPath));
    }
    EXPECT_EQ(FileBytes(desktop, L"C:\\x\\VESKSettings.xml.bad"), later[3]);
    EXPECT_EQ(FileBytes(desktop, L"C:\\x\\VESKSettings.xml.bad.1"), later[2]);
    EXPECT_EQ(FileBytes(desktop, L"C:\\x\\VESKSettings.xml.bad.2"), later[1]);
    EXPECT_EQ(FileBytes(desktop, L"C:\\x\\VESKSettings.xml.bad.3"), later[0]);
    EXPECT_EQ(FileBytes(desktop, L"C:\\x\\VESKSettings.xml.bad.4"), foreign);
    EXPECT_FALSE(desktop.files.Exists(L"C:\\x\\VESKSettings.xml.bad.5"));

    // A copy that cannot be moved aside is not overwritten: the save fails instead.
    desktop.files.DenyWrites(L"C:\\x\\VESKSettings.xml.bad.1", pw::platform::kErrorAccessDenied);
    std::string last = damaged + "<!-- last";
    desktop.files.WriteFile(kSettingsPath, last);
    EXPECT_FALSE(settings.Save(kSettingsPath));
    desktop.files.DenyWrites(L"C:\\x\\VESKSettings.xml.bad.1", 0);
    EXPECT_EQ(FileBytes(desktop), last);
    EXPECT_EQ(FileBytes(desktop, L"C:\\x\\VESKSettings.xml.bad"), later[3]);
    EXPECT_TRUE(Logged(L"Unable to keep a copy of the damaged settings file"));
}

TEST_F(SettingsBadInputTest, AFailedSaveLeavesTheOldFileWhole) {
    std::string valid = ValidFile();
    desktop.files.WriteFile(kSettingsPath, valid);
    CSettings settings;
    desktop.files.FailOpens(pw::platform::kErrorAccessDenied);
    EXPECT_FALSE(settings.Save(kSettingsPath));
    desktop.files.FailOpens(0);
    EXPECT_EQ(FileBytes(desktop), valid);
    EXPECT_FALSE(desktop.files.Exists(L"C:\\x\\VESKSettings.xml.tmp"));

    // No folder to write into: the save fails and reports it.
    EXPECT_FALSE(settings.Save(L"C:\\nowhere\\VESKSettings.xml"));
    EXPECT_TRUE(Logged(L"Unable to create the temporary file"));
}

} // namespace

TEST_F(SettingsBadInputTest, LeftoversOfAnInterruptedSaveNeverBlockTheNext) {
    desktop.files.WriteFile(kSettingsPath, ValidFile());
    // A folder where the temporary file would go, a leftover another program holds, and a
    // stale one from a save that never finished.
    ASSERT_TRUE(desktop.files.CreateDirectory(L"C:\\x\\VESKSettings.xml.tmp"));
    desktop.files.WriteFile(L"C:\\x\\VESKSettings.xml.1.tmp", "held");
    desktop.files.DenyWrites(L"C:\\x\\VESKSettings.xml.1.tmp",
                             pw::platform::kErrorSharingViolation);
    desktop.files.WriteFile(L"C:\\x\\VESKSettings.xml.5.tmp", "stale");

    CSettings settings;
    ASSERT_TRUE(LoadSettings(settings));
    settings.put_DebounceTime(77);
    ASSERT_TRUE(settings.Save(kSettingsPath));
    CSettings reloaded;
    ASSERT_TRUE(LoadSettings(reloaded));
    EXPECT_EQ(reloaded.get_DebounceTime(), 77);

    EXPECT_TRUE(desktop.files.IsDirectory(L"C:\\x\\VESKSettings.xml.tmp"));
    EXPECT_FALSE(desktop.files.Exists(L"C:\\x\\VESKSettings.xml.2.tmp"));
    EXPECT_FALSE(desktop.files.Exists(L"C:\\x\\VESKSettings.xml.5.tmp"));
    desktop.files.DenyWrites(L"C:\\x\\VESKSettings.xml.1.tmp", 0);
}
