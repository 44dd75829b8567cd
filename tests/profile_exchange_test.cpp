#include "hook/library.h"
#include "platform/sim/simulated_desktop.h"
#include "settings/application_settings.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/settings_files.h"

#include <gtest/gtest.h>

#include <string>

using namespace pw::test;
using namespace pw::platform;

namespace {

constexpr const Char* kExportPath = L"C:\\x\\Profiles.xml";
constexpr const Char* kPrompt = L"Replace the existing profile";

class ProfileExchangeTest : public ::testing::Test {
  protected:
    ProfileExchangeTest() { desktop.files.CreateDirectory(L"C:\\x"); }
    bool Logged(StringView text) { return desktop.diagnostics.DebugOutputContains(text); }

    CApplicationSettings* Add(CSettings& settings, const Char* name, _ACTIONS leftAction) {
        auto* profile = new CApplicationSettings(&settings, false);
        profile->SetApplication(name);
        profile->SetActions(mbLeft, 0, leftAction);
        settings.AddApplication(profile);
        return profile;
    }

    static std::string ImportFile(const std::string& applications) {
        return "<root><Applications>" + applications + "</Applications></root>";
    }
    static std::string App(const char* name, int leftAction, const char* extra = "") {
        return std::string("<Application Name=\"") + name + "\" Enabled=\"true\"><Left action=\"" +
               std::to_string(leftAction) + "\"/>" + extra + "</Application>";
    }

    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
};

TEST_F(ProfileExchangeTest, ExportWritesOneOrEveryProfileWithoutAByteOrderMark) {
    CSettings settings;
    ASSERT_TRUE(settings.Export(nullptr, kExportPath));
    std::string bytes = FileBytes(desktop, kExportPath);
    EXPECT_EQ(bytes.rfind("<?xml", 0), 0u);
    EXPECT_NE(bytes.find("<version build=\"0\" revision=\"0\" minor=\"14\" major=\"2\" />"),
              std::string::npos);
    EXPECT_NE(bytes.find("<Applications />"), std::string::npos);

    CApplicationSettings* first = Add(settings, L"one.exe", actCopy);
    Add(settings, L"two.exe", actPaste);
    ASSERT_TRUE(settings.Export(first, kExportPath));
    bytes = FileBytes(desktop, kExportPath);
    EXPECT_NE(bytes.find("one.exe"), std::string::npos);
    EXPECT_EQ(bytes.find("two.exe"), std::string::npos);

    ASSERT_TRUE(settings.Export(nullptr, kExportPath));
    CSettings target;
    CApplicationSettings* last = nullptr;
    EXPECT_EQ(target.Import(kExportPath, nullptr, kPrompt, &last), 2);
    ASSERT_EQ(target.GetApplicationCount(), 2);
    EXPECT_EQ(last, target.GetApplication(1));
    EXPECT_EQ(target.GetApplication(0)->GetActions(mbLeft, 0), actCopy);
    EXPECT_EQ(target.GetApplication(1)->GetActions(mbLeft, 0), actPaste);
    EXPECT_TRUE(Logged(L"2 application profile were imported from VESK settings import file."));
}

TEST_F(ProfileExchangeTest, AMatchingProfileIsReplacedOnlyWhenTheUserSaysYes) {
    desktop.files.WriteFile(kExportPath, ImportFile(App("b.exe", 8) + App("new.exe", 9)));
    for (int answer : {kIdYes, kIdNo}) {
        SCOPED_TRACE(answer);
        desktop.dialogs.Clear();
        CSettings settings;
        Add(settings, L"a.exe", actUndo);
        CApplicationSettings* existing = Add(settings, L"b.exe", actUndo);
        Add(settings, L"c.exe", actUndo);
        desktop.dialogs.ScriptAnswer(answer);
        CApplicationSettings* last = nullptr;
        int count = settings.Import(kExportPath, nullptr, kPrompt, &last);

        auto shown = desktop.dialogs.ShownBoxes();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, L"Replace the existing profile:\n'b.exe'");
        EXPECT_EQ(shown[0].caption, L"Pallawick");
        EXPECT_EQ(shown[0].style, kMbYesNoCancel | kMbIconQuestion);
        ASSERT_EQ(settings.GetApplicationCount(), 4);
        EXPECT_STREQ(settings.GetApplication(1)->GetFullName(), L"b.exe");
        EXPECT_STREQ(settings.GetApplication(3)->GetFullName(), L"new.exe");
        EXPECT_EQ(last, settings.GetApplication(3));
        if (answer == kIdYes) {
            EXPECT_EQ(count, 2);
            EXPECT_NE(settings.GetApplication(1), existing);
            EXPECT_EQ(settings.GetApplication(1)->GetActions(mbLeft, 0), actCopy);
        } else {
            EXPECT_EQ(count, 1);
            EXPECT_EQ(settings.GetApplication(1), existing);
            EXPECT_EQ(existing->GetActions(mbLeft, 0), actUndo);
        }
    }
}

TEST_F(ProfileExchangeTest, CancelStopsAtOnceWithoutTheSummary) {
    // The first a.exe is new; the second matches it (Yes); b.exe matches (Cancel).
    desktop.files.WriteFile(kExportPath, ImportFile(App("a.exe", 8) + App("a.exe", 9) +
                                                    App("b.exe", 10) + App("z.exe", 11)));
    CSettings settings;
    Add(settings, L"b.exe", actUndo);
    desktop.dialogs.ScriptAnswer(kIdYes);
    desktop.dialogs.ScriptAnswer(kIdCancel);
    CApplicationSettings* last = nullptr;
    EXPECT_EQ(settings.Import(kExportPath, nullptr, kPrompt, &last), 2);
    EXPECT_EQ(desktop.dialogs.ShownBoxes().size(), 2u);
    ASSERT_EQ(settings.GetApplicationCount(), 2);
    EXPECT_EQ(settings.GetApplication(0)->GetActions(mbLeft, 0), actUndo);
    EXPECT_EQ(settings.GetApplication(1)->GetActions(mbLeft, 0), actCut);
    EXPECT_EQ(last, settings.GetApplication(1));
    EXPECT_FALSE(Logged(L"imported from VESK settings import file"));
}

TEST_F(ProfileExchangeTest, ProfilesUsingMoreLayersImportWithAWarning) {
    desktop.files.WriteFile(kExportPath,
                            ImportFile(App("a.exe", 40, "<Right_Layer6 action=\"8\"/>")));
    CSettings settings;
    settings.SetMaxLayers(3);
    EXPECT_EQ(settings.Import(kExportPath, nullptr, kPrompt, nullptr), 1);
    EXPECT_TRUE(Logged(L"Warning: There are more than 7 layers defined in the imported profile."));
    EXPECT_EQ(settings.MaxLayers(), 3);
}

TEST_F(ProfileExchangeTest, UnusableFilesImportNothing) {
    struct Case {
        const char* what;
        std::string bytes;
        const Char* logged;
    } cases[] = {
        {"not XML", "<root><Applications>",
         L"CSettings::Import: There is a problem with the "
         L"import XML file: "},
        {"no Applications", "<root><version/></root>",
         L"Attempted to import invalid VESK settings import file."},
        {"no root", "<Applications><Application Name=\"a.exe\"/></Applications>",
         L"Attempted to import invalid VESK settings import file."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        desktop.files.WriteFile(kExportPath, c.bytes);
        CSettings settings;
        Add(settings, L"a.exe", actUndo);
        auto* sentinel = reinterpret_cast<CApplicationSettings*>(&settings);
        CApplicationSettings* last = sentinel;
        EXPECT_EQ(settings.Import(kExportPath, nullptr, kPrompt, &last), 0);
        EXPECT_EQ(last, nullptr);
        EXPECT_EQ(settings.GetApplicationCount(), 1);
        EXPECT_TRUE(Logged(c.logged));
    }
    CSettings settings;
    EXPECT_EQ(settings.Import(L"C:\\x\\missing.xml", nullptr, kPrompt, nullptr), 0);
    EXPECT_TRUE(Logged(L"import XML file: File was not found"));

    desktop.files.WriteFile(kExportPath, ImportFile(""));
    EXPECT_EQ(settings.Import(kExportPath, nullptr, kPrompt, nullptr), 0);
    EXPECT_TRUE(Logged(L"No application profile were imported from VESK settings import file."));
}

TEST_F(ProfileExchangeTest, ReplacingALoadedProfileTakesItOutOfTheViews) {
    desktop.files.WriteFile(kSettingsPath,
                            SettingsXml("<Applications>" + App("a.exe", 8) + "</Applications>"));
    CSettings settings;
    ASSERT_TRUE(LoadSettings(settings));
    ASSERT_EQ(settings.GetApplications().size(), 1u);
    desktop.files.WriteFile(kExportPath, ImportFile(App("a.exe", 9)));
    desktop.dialogs.ScriptAnswer(kIdYes);
    EXPECT_EQ(settings.Import(kExportPath, nullptr, kPrompt, nullptr), 1);
    EXPECT_TRUE(settings.GetApplications().empty());
    EXPECT_EQ(settings.GetApplication(0)->GetActions(mbLeft, 0), actCut);
}

} // namespace
