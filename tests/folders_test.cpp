#include "hook/library.h"
#include "platform/sim/simulated_desktop.h"
#include "runtime/runtime_state.h"
#include "settings/folders.h"
#include "settings/settings.h"
#include "support/bounded_copy.h"

#include <gtest/gtest.h>

#include <array>

using namespace pw::folders;
using namespace pw::platform;

namespace {

const String kDefaultSettings = L"C:\\Users\\User\\AppData\\Roaming\\Orvane Works\\Pallawick\\";
const String kTemp = L"C:\\Users\\User\\AppData\\Local\\Temp\\";
const String kExeFolder = L"C:\\Program Files\\Pallawick\\";
const String kUserKey = L"HKCU\\Software\\Orvane Works\\Pallawick";
const String kMachineKey = L"HKLM\\Software\\Orvane Works\\Pallawick";

class FoldersTest : public ::testing::Test {
  protected:
    void TearDown() override { SetPortable(false); }

    String SettingsFolder(int* result = nullptr) {
        std::array<Char, kMaxPath> buffer;
        buffer.fill(L'#');
        int code = GetSettingsFolder(buffer.data(), buffer.size());
        if (result)
            *result = code;
        return buffer.data();
    }
    String LogFolder(bool create, int* result = nullptr) {
        std::array<Char, kMaxPath> buffer{};
        int code = GetLogFolder(buffer.data(), buffer.size(), create);
        if (result)
            *result = code;
        return buffer.data();
    }
    void MakeFolder(StringView path) { ASSERT_TRUE(CreateFolder(String(path).c_str())); }

    pw::sim::SimulatedDesktop desktop; // before the library, so its log lives in this tree
    pw::hook::LibraryScope library;
};

TEST_F(FoldersTest, SettingsFolderPrefersPortableThenRegistryThenAppData) {
    int result = -1;
    EXPECT_EQ(SettingsFolder(&result), kDefaultSettings);
    EXPECT_EQ(result, 0);

    // An override naming a missing folder is ignored.
    desktop.registry.SetString(kMachineKey, L"SettingsFolder", L"D:\\Missing\\Settings");
    EXPECT_EQ(SettingsFolder(), kDefaultSettings);

    // An existing one is used, with the trailing backslash added.
    MakeFolder(L"D:\\Shared\\Settings");
    desktop.registry.SetString(kMachineKey, L"SettingsFolder", L"D:\\Shared\\Settings");
    EXPECT_EQ(SettingsFolder(), L"D:\\Shared\\Settings\\");
    desktop.registry.SetDword(kMachineKey, L"SettingsFolder", 7); // wrong type: ignored
    EXPECT_EQ(SettingsFolder(), kDefaultSettings);
    desktop.registry.SetString(kMachineKey, L"SettingsFolder", L"D:\\Shared\\Settings\\");

    // Portable mode wins over the override.
    SetPortable(true);
    EXPECT_TRUE(GetPortable());
    EXPECT_EQ(SettingsFolder(), kExeFolder);
    SetPortable(false);
    EXPECT_FALSE(GetPortable());
    EXPECT_EQ(SettingsFolder(), L"D:\\Shared\\Settings\\");
}

TEST_F(FoldersTest, SettingsFolderFailuresLeaveAnEmptyBuffer) {
    int result = 0;
    // A trailing backslash on APPDATA does not double the separator.
    desktop.environment.SetVariable(L"APPDATA", L"E:\\Roaming\\");
    EXPECT_EQ(SettingsFolder(), L"E:\\Roaming\\Orvane Works\\Pallawick\\");

    desktop.environment.SetVariable(L"APPDATA", String(kMaxPath, L'x'));
    EXPECT_EQ(SettingsFolder(&result), L"");
    EXPECT_EQ(result, pw::kCopyRange);

    desktop.environment.UnsetVariable(L"APPDATA");
    EXPECT_EQ(SettingsFolder(&result), L"");
    EXPECT_EQ(result, pw::kCopyInvalid);

    desktop.environment.SetVariable(L"APPDATA", L"C:\\Users\\User\\AppData\\Roaming");
    std::array<Char, 10> small;
    small.fill(L'#');
    EXPECT_EQ(GetSettingsFolder(small.data(), small.size()), pw::kCopyRange);
    EXPECT_EQ(small[0], 0);
    EXPECT_EQ(GetSettingsFolder(nullptr, 10), pw::kCopyInvalid);
}

TEST_F(FoldersTest, LogFolderFollowsRegistryThenSettingsFolderThenTemp) {
    // No override: the settings folder, but only once it exists (or is created). The
    // library created the default one for its log when it was loaded.
    EXPECT_EQ(LogFolder(false), kDefaultSettings);
    const String roaming = L"D:\\Roaming\\Orvane Works\\Pallawick\\";
    desktop.environment.SetVariable(L"APPDATA", L"D:\\Roaming");
    EXPECT_EQ(LogFolder(false), kTemp);
    EXPECT_EQ(LogFolder(true), roaming);
    EXPECT_TRUE(desktop.files.IsDirectory(roaming.c_str()));
    EXPECT_EQ(LogFolder(false), roaming);
    desktop.environment.SetVariable(L"APPDATA", L"C:\\Users\\User\\AppData\\Roaming");

    // An override without a trailing backslash gets one.
    MakeFolder(L"C:\\Logs");
    desktop.registry.SetString(kUserKey, L"LogFolder", L"C:\\Logs");
    EXPECT_EQ(LogFolder(false), L"C:\\Logs\\");

    std::array<Char, kMaxPath> path{};
    EXPECT_EQ(GetLogFile(path.data(), path.size(), false), 0);
    EXPECT_EQ(String(path.data()), L"C:\\Logs\\Pallawick.log");
    std::array<Char, 12> small{};
    EXPECT_EQ(GetLogFile(small.data(), small.size(), false), pw::kCopyRange);
    EXPECT_EQ(small[0], 0);

    // An override that does not fit the caller's buffer is skipped.
    std::array<Char, kMaxPath> longer{};
    desktop.registry.SetString(kUserKey, L"LogFolder", L"C:\\Logs\\" + String(100, L'y'));
    EXPECT_EQ(GetLogFolder(longer.data(), 60, true), 0);
    EXPECT_EQ(String(longer.data()), kDefaultSettings);
    EXPECT_TRUE(desktop.dialogs.ShownBoxes().empty());
}

TEST_F(FoldersTest, UnusableLogFolderFallsBackToTempWithAWarning) {
    ASSERT_TRUE(desktop.files.WriteFile(L"C:\\Blocker", "not a folder"));
    desktop.registry.SetString(kUserKey, L"LogFolder", L"C:\\Blocker\\Logs");

    EXPECT_EQ(LogFolder(false), kTemp);
    EXPECT_TRUE(desktop.dialogs.ShownBoxes().empty());

    int result = -1;
    EXPECT_EQ(LogFolder(true, &result), kTemp);
    EXPECT_EQ(result, 0);
    auto boxes = desktop.dialogs.ShownBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Unable to find or create the log file folder 'C:\\Blocker\\Logs'.\n"
                             L"The log file will be placed in '" +
                                 kTemp + L"' instead.");
    EXPECT_EQ(boxes[0].caption, L"Pallawick");
    EXPECT_EQ(boxes[0].style, kMbIconWarning);
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_TRUE(
        desktop.diagnostics.DebugOutputContains(L"Unable to get or create the log file folder\n"));

    // Nothing to use at all: no override and no settings folder.
    desktop.dialogs.Clear();
    desktop.registry.SetString(kUserKey, L"LogFolder", L"");
    desktop.environment.UnsetVariable(L"APPDATA");
    EXPECT_EQ(LogFolder(true), kTemp);
    boxes = desktop.dialogs.ShownBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Unable to use the log file folder ''.\n"
                             L"The log file will be placed in '" +
                                 kTemp + L"' instead.");
    EXPECT_EQ(boxes[0].style, kMbIconError);
}

TEST_F(FoldersTest, CreateFolderMakesMissingParentsOnly) {
    MakeFolder(L"C:\\Base");
    EXPECT_TRUE(CreateFolder(L"C:\\Base\\One\\Two"));
    EXPECT_TRUE(desktop.files.IsDirectory(L"C:\\Base\\One"));
    EXPECT_TRUE(desktop.files.IsDirectory(L"C:\\Base\\One\\Two"));
    EXPECT_TRUE(CreateFolder(L"C:\\Base\\One\\Two")); // already there
    EXPECT_TRUE(CreateFolder(L"C:\\Base\\Three\\"));
    EXPECT_TRUE(desktop.files.IsDirectory(L"C:\\Base\\Three"));
    EXPECT_TRUE(CreateFolder(L"C:\\TopLevel")); // parent is the drive's root

    ASSERT_TRUE(desktop.files.WriteFile(L"C:\\Base\\file.txt", "x"));
    EXPECT_FALSE(CreateFolder(L"C:\\Base\\file.txt"));
    EXPECT_FALSE(CreateFolder(L"C:\\Base\\file.txt\\Below"));
    EXPECT_FALSE(CreateFolder(L"C:"));
    EXPECT_FALSE(CreateFolder(nullptr));
}

TEST_F(FoldersTest, LanguageFileComesFromTheSettingsObject) {
    std::array<Char, 32> buffer;
    buffer.fill(L'#');
    // The attached library's settings object has no language file yet.
    EXPECT_FALSE(GetLanguageFile(buffer.data(), static_cast<int>(buffer.size())));
    EXPECT_EQ(buffer[0], L'#');

    g_pSettings->SetLanguage(L"Deutsch.xml");
    ASSERT_TRUE(GetLanguageFile(buffer.data(), static_cast<int>(buffer.size())));
    EXPECT_STREQ(buffer.data(), L"Deutsch.xml");
    // Too small a buffer copies nothing usable.
    EXPECT_FALSE(GetLanguageFile(buffer.data(), 4));

    CSettings* attached = g_pSettings;
    g_pSettings = nullptr;
    buffer.fill(L'#');
    EXPECT_FALSE(GetLanguageFile(buffer.data(), static_cast<int>(buffer.size())));
    EXPECT_EQ(buffer[0], L'#');
    g_pSettings = attached;
}

} // namespace
