#include "hook/library.h"
#include "platform/sim/simulated_desktop.h"
#include "settings/application_settings.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/settings_files.h"

#include <gtest/gtest.h>

#include <vector>

using namespace pw::test;

namespace {

using Change = pw::sim::SimParameterChange;
using pw::platform::SystemParameters;

constexpr unsigned kSaveAndBroadcast =
    SystemParameters::kUpdateIniFile | SystemParameters::kSendChange;

class PointerSettingsTest : public ::testing::Test {
  protected:
    PointerSettingsTest() { desktop.files.CreateDirectory(L"C:\\x"); }
    ~PointerSettingsTest() override { CLogger::EnableDebug(false); }
    bool Logged(StringView text) { return desktop.diagnostics.DebugOutputContains(text); }

    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
};

TEST_F(PointerSettingsTest, NewSettingsStartFromTheSystemsPointerSpeedAndWheelLines) {
    desktop.systemParameters.Preset(false, 7);
    desktop.systemParameters.PresetMouseSpeed(14);
    CSettings settings;
    EXPECT_EQ(settings.SystemWheelLines(), 7);
    EXPECT_EQ(settings.MouseSpeed(), 14);
    EXPECT_EQ(settings.GetDefaultApp()->ScrollLines(), 7);
    CApplicationSettings added(&settings, false);
    EXPECT_EQ(added.ScrollLines(), 7);

    // A profile in the file without its own line count takes the system's.
    desktop.files.WriteFile(kSettingsPath,
                            SettingsXml("<Applications><Application Name=\"a.exe\"/>"
                                        "<Application Name=\"b.exe\" ScrollLines=\"2\"/>"
                                        "</Applications>"));
    ASSERT_TRUE(LoadSettings(settings));
    ASSERT_EQ(settings.GetApplicationCount(), 2);
    EXPECT_EQ(settings.GetApplication(0)->ScrollLines(), 7);
    EXPECT_EQ(settings.GetApplication(1)->ScrollLines(), 2);

    // Page scrolling has no line count: new profiles get three lines.
    desktop.systemParameters.Preset(false, SystemParameters::kWheelPageScroll);
    EXPECT_EQ(CSettings().SystemWheelLines(), 3);

    // A system that cannot answer leaves its own defaults, and says so.
    desktop.systemParameters.SetQueriesFailing(true);
    CSettings unanswered;
    desktop.systemParameters.SetQueriesFailing(false);
    EXPECT_EQ(unanswered.SystemWheelLines(), 3);
    EXPECT_EQ(unanswered.MouseSpeed(), 10);
    EXPECT_TRUE(Logged(L"CSettings: Unable to read the system pointer speed; using 10."));
    EXPECT_TRUE(Logged(L"CSettings: Unable to read the system wheel scroll lines; using 3."));
}

TEST_F(PointerSettingsTest, SaveAppliesThePointerSpeedAndPrecisionToTheSystem) {
    CLogger::EnableDebug(true);
    CSettings settings;
    settings.SetMouseSpeed(15);
    settings.SetEnhancePointerPrecision(false);
    desktop.systemParameters.TakeChanges();
    ASSERT_TRUE(settings.Save(kSettingsPath));

    std::vector<Change> changes = desktop.systemParameters.TakeChanges();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].kind, Change::Kind::MouseSpeed);
    EXPECT_EQ(changes[0].value, 15u);
    EXPECT_EQ(changes[0].updateFlags, kSaveAndBroadcast);
    EXPECT_EQ(changes[1].kind, Change::Kind::MouseAcceleration);
    EXPECT_EQ(changes[1].updateFlags, kSaveAndBroadcast);
    EXPECT_EQ(desktop.systemParameters.PointerSpeed(), 15);
    pw::platform::MouseAcceleration off = desktop.systemParameters.Acceleration();
    EXPECT_EQ(off.threshold1, 0);
    EXPECT_EQ(off.threshold2, 0);
    EXPECT_EQ(off.level, 0);
    EXPECT_TRUE(Logged(L"Result of SystemParametersInfo(SPI_SETMOUSESPEED) = 1"));

    settings.SetEnhancePointerPrecision(true);
    ASSERT_TRUE(settings.Save(kSettingsPath));
    pw::platform::MouseAcceleration on = desktop.systemParameters.Acceleration();
    EXPECT_EQ(on.threshold1, 6);
    EXPECT_EQ(on.threshold2, 10);
    EXPECT_EQ(on.level, 1);

    // A speed the system refuses is named; the file is saved all the same.
    desktop.diagnostics.ClearDebugLines();
    settings.SetMouseSpeed(0);
    EXPECT_TRUE(settings.Save(kSettingsPath));
    EXPECT_EQ(desktop.systemParameters.PointerSpeed(), 15);
    EXPECT_TRUE(Logged(L"CSettings::Save: The system did not take the pointer speed 0."));

    // A save that fails changes nothing in the system.
    desktop.systemParameters.TakeChanges();
    EXPECT_FALSE(settings.Save(L"C:\\nowhere\\VESKSettings.xml"));
    EXPECT_TRUE(desktop.systemParameters.Changes().empty());
}

} // namespace
