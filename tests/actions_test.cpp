#include "hook/library.h"
#include "platform/sim/simulated_desktop.h"
#include "settings/actions.h"
#include "settings/application_settings.h"
#include "settings/mouse_buttons.h"
#include "settings/os_version.h"

#include <gtest/gtest.h>

#include <climits>

using namespace pw::settings;

TEST(Actions, DisplayNamesComeFromTheFixedTable) {
    EXPECT_STREQ(ActionDisplayName(0), L"Left Click");
    EXPECT_STREQ(ActionDisplayName(28), L"Simulated Keys");
    EXPECT_STREQ(ActionDisplayName(40), L"** No Change (Don't intercept) **");
    EXPECT_STREQ(ActionDisplayName(74), L"** Same As Default Profile **");
    EXPECT_STREQ(ActionDisplayName(82), L"** Same As Layer 1 (current profile) **");
    EXPECT_STREQ(ActionDisplayName(106), L"Layer 10");
    for (int code = actReservedFirst; code <= actReservedLast; ++code)
        EXPECT_STREQ(ActionDisplayName(code), L"Reserved") << code;
    EXPECT_STREQ(ActionDisplayName(117), L"Magnifier Zoom In");
    EXPECT_STREQ(ActionDisplayName(126), L"Change Movement to Scroll Inverted (Sticky Lock Axis)");
    EXPECT_STREQ(ActionDisplayName(132), L"Lock Mouse Y-Axis (Toggle)");
    for (int code = 0; code < kActionCount; ++code)
        EXPECT_NE(ActionDisplayName(code), nullptr);
    for (int code : {-1, 133, INT_MAX, INT_MIN})
        EXPECT_STREQ(ActionDisplayName(code), L"Unknown Action") << code;
}

TEST(Actions, SendModeLabelsAndNeutralCodes) {
    EXPECT_STREQ(SendKeyModeLabel(0), L"(pressed)");
    EXPECT_STREQ(SendKeyModeLabel(2), L"(during)");
    EXPECT_STREQ(SendKeyModeLabel(8), L"(pressed & released)");
    EXPECT_STREQ(SendKeyModeLabel(-1), L"(unknown)");
    EXPECT_STREQ(SendKeyModeLabel(9), L"(unknown)");

    for (int code : {40, 52, 53, 82}) {
        EXPECT_TRUE(IsNeutralAction(code, false)) << code;
        EXPECT_TRUE(IsNeutralAction(code, true)) << code;
    }
    EXPECT_TRUE(IsNeutralAction(74, false));
    EXPECT_FALSE(IsNeutralAction(74, true));
    EXPECT_FALSE(IsNeutralAction(54, false));
    EXPECT_FALSE(IsNeutralAction(41, true));
}

TEST(Actions, SlotGridChecksOnlyTheFlatIndex) {
    EXPECT_EQ(SlotIndex(8, 9), 89);
    EXPECT_EQ(SlotIndex(0, 10), -1);
    EXPECT_EQ(SlotIndex(9, 0), 9);
    EXPECT_EQ(SlotIndex(-1, 0), -1);
    EXPECT_EQ(SlotIndex(INT_MAX, INT_MAX), -1);
    EXPECT_EQ(SlotIndex(INT_MIN, 1), -1);
}

TEST(Actions, ButtonElementNamesFollowTheOfficeMouseRule) {
    EXPECT_STREQ(ButtonElementName(mbLeft, false), L"Left");
    EXPECT_STREQ(ButtonElementName(mbTiltLeft, false), L"TiltLeft");
    EXPECT_STREQ(ButtonElementName(mbTiltRight, false), L"TiltRight");
    EXPECT_STREQ(ButtonElementName(mbWheelDown, false), L"WheelDown");
    EXPECT_STREQ(ButtonElementName(mbTiltLeft, true), L"OfficeMouseMiddle");
    EXPECT_EQ(ButtonElementName(mbTiltRight, true), nullptr);
    EXPECT_STREQ(ButtonElementName(mbXRight, true), L"XRight");
    EXPECT_EQ(ButtonElementName(9, false), nullptr);
    EXPECT_EQ(ButtonElementName(-1, false), nullptr);
}

TEST(Actions, DefaultRepeatFollowsTheKeyboardSpeed) {
    pw::sim::SimulatedDesktop desktop;
    desktop.systemInfo.keyboardSpeed = 0;
    EXPECT_EQ(CApplicationSettings::DefaultRepeat(), 400u);
    desktop.systemInfo.keyboardSpeed = 31;
    EXPECT_EQ(CApplicationSettings::DefaultRepeat(), 34u);
    desktop.systemInfo.keyboardSpeed = 10;
    EXPECT_EQ(CApplicationSettings::DefaultRepeat(), 282u);
    // Out of the system's range: as fast as the fastest, never wrapping around.
    desktop.systemInfo.keyboardSpeed = 100;
    EXPECT_EQ(CApplicationSettings::DefaultRepeat(), 34u);
}

TEST(Actions, OsVersionMapsTheVersionQuery) {
    pw::sim::SimulatedDesktop desktop;
    struct Case {
        unsigned long major, minor;
        _ActionOSVersion expected;
    };
    const Case cases[] = {{5, 0, osWindows2000},   {5, 1, osWindowsXP},     {5, 2, osWindowsXP},
                          {6, 0, osWindowsVista},  {6, 1, osWindows7},      {6, 2, osWindows8},
                          {6, 3, osWindows81},     {6, 4, osWindows10},     {10, 0, osWindows10},
                          {10, 1, osOtherVersion}, {11, 0, osOtherVersion}, {6, 5, osOtherVersion},
                          {4, 0, osOtherVersion}};
    for (const Case& c : cases) {
        desktop.systemInfo.major = c.major;
        desktop.systemInfo.minor = c.minor;
        EXPECT_EQ(GetOSVersion(), c.expected) << c.major << "." << c.minor;
    }
    EXPECT_EQ(osWindows10, 64);
    EXPECT_EQ(osOtherVersion, 255);
    desktop.systemInfo.versionAvailable = false;
    EXPECT_EQ(GetOSVersion(), osUnknown);
    EXPECT_EQ(osUnknown, 0);
}
