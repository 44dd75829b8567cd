#include "hook/library.h"
#include "platform/sim/simulated_desktop.h"
#include "settings/application_settings.h"
#include "settings/wait_hold_time.h"
#include "support/logger.h"

#include <gtest/gtest.h>

#include <climits>

using pw::settings::KeystrokesWaitHoldTime;

TEST(WaitHoldTime, CharactersAndOrdinaryTagsCostThePerKeyDelay) {
    EXPECT_EQ(KeystrokesWaitHoldTime(L"", 10), 0);
    EXPECT_EQ(KeystrokesWaitHoldTime(L"abc", 10), 30);
    EXPECT_EQ(KeystrokesWaitHoldTime(L"{ENTER}", 10), 10);
    EXPECT_EQ(KeystrokesWaitHoldTime(L"{CTRL}c", 10), 20);
    // A doubled brace is a literal, and the second brace then opens a tag of its own.
    EXPECT_EQ(KeystrokesWaitHoldTime(L"{{", 10), 20);
    EXPECT_EQ(KeystrokesWaitHoldTime(L"{{}", 10), 20);
    EXPECT_EQ(KeystrokesWaitHoldTime(L"{{WAIT}", 10), 10 + 250);
    // An unclosed tag runs to the end.
    EXPECT_EQ(KeystrokesWaitHoldTime(L"{WAITMS:40", 10), 40);
    // A tag name stops after 25 characters; the rest is typed (5 more characters).
    EXPECT_EQ(KeystrokesWaitHoldTime(L"{ABCDEFGHIJKLMNOPQRSTUVWXYZ1234}", 10), 10 + 6 * 10);
}

TEST(WaitHoldTime, PauseTagsAddTheirOwnTime) {
    EXPECT_EQ(KeystrokesWaitHoldTime(L"ab{WAIT:2}c", 10), 10 + 10 + 2000 + 10);
    EXPECT_EQ(KeystrokesWaitHoldTime(L"{HOLDMS:150}", 10), 150);
    EXPECT_EQ(KeystrokesWaitHoldTime(L"{WAIT}", 10), 250);
    EXPECT_EQ(KeystrokesWaitHoldTime(L"{HOLD}", 10), 250);
    EXPECT_EQ(KeystrokesWaitHoldTime(L"{WAIT:0}", 10), 250);
    EXPECT_EQ(KeystrokesWaitHoldTime(L"{wait3}", 10), 3000);
    EXPECT_EQ(KeystrokesWaitHoldTime(L"{Hold:<2>}", 10), 2000);
    EXPECT_EQ(KeystrokesWaitHoldTime(L"{WAIT: 2}", 10), 2000);
    EXPECT_EQ(KeystrokesWaitHoldTime(L"{WAITMS75}", 10), 75);
    EXPECT_EQ(KeystrokesWaitHoldTime(L"{waitms:<75>}", 10), 75);
    // HOLDMS without a number costs a key; with an empty one, nothing.
    EXPECT_EQ(KeystrokesWaitHoldTime(L"{HOLDMS}", 10), 10);
    EXPECT_EQ(KeystrokesWaitHoldTime(L"{HOLDMS:}", 10), 0);
    EXPECT_EQ(KeystrokesWaitHoldTime(L"{HOLD}{HOLDMS:50}a", 1), 250 + 50 + 1);
}

TEST(WaitHoldTime, HugeValuesSaturateInsteadOfOverflowing) {
    EXPECT_EQ(KeystrokesWaitHoldTime(L"{WAIT:99999999999}", 1), INT_MAX);
    EXPECT_EQ(KeystrokesWaitHoldTime(L"{WAIT:3000000}{WAIT:3000000}", 1), INT_MAX);
}

TEST(WaitHoldTime, ProfileCalculationLogsTheTotal) {
    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
    CLogger::EnableDebug(true);
    EXPECT_EQ(CApplicationSettings::CalculateKeystrokesWaitHoldTime(L"x{WAITMS:5}", 3), 8);
    EXPECT_TRUE(desktop.diagnostics.DebugOutputContains(
        L"ApplicationSettings; Total wait time for keys 'x{WAITMS:5}' is 8ms"));
    EXPECT_EQ(CApplicationSettings::CalculateKeystrokesWaitHoldTime(nullptr, 3), 0);
    CLogger::EnableDebug(false);
}
