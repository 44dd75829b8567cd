#include "hook/flag_functions.h"
#include "hook/library.h"
#include "input/sim_brightness_token.h"
#include "platform/sim/simulated_desktop.h"
#include "runtime/runtime_state.h"
#include "scroll/lock_axis.h"
#include "settings/application_settings.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/thread_lock.h"
#include "support/wait_until.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <functional>
#include <memory>
#include <thread>

namespace {

HHOOK FakeHook() {
    return reinterpret_cast<HHOOK>(static_cast<uintptr_t>(0x1234));
}
HWND FakeWindow(uintptr_t value) {
    return reinterpret_cast<HWND>(value);
}

class FlagFunctionsTest : public ::testing::Test {
  protected:
    void SetUp() override { CLogger::EnableDebug(false); }
    void TearDown() override {
        CLogger::EnableDebug(false);
        pw::hook::ResetLibraryState();
    }

    size_t DebugLinesWith(StringView text) {
        size_t count = 0;
        for (const String& line : desktop.diagnostics.DebugLines())
            count += line.find(text) != String::npos;
        return count;
    }

    void SetLastProcess(const Char* name) {
        std::wcsncpy(g_szLastProcess, name, pw::runtime::kProcessNameLength - 1);
    }

    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
};

// Holds the global lock on a thread of its own until destroyed.
class GlobalLockHolder {
  public:
    GlobalLockHolder()
        : thread_([this] {
              CThreadLock lock(L"TestHolder");
              held_ = true;
              while (!release_)
                  std::this_thread::yield();
          }) {
        pw::test::WaitUntil([this] { return held_.load(); });
    }
    ~GlobalLockHolder() {
        release_ = true;
        thread_.join();
    }

  private:
    std::atomic<bool> held_{false};
    std::atomic<bool> release_{false};
    std::thread thread_;
};

TEST_F(FlagFunctionsTest, AttachCreatesTheSettingsObjectAndClearsTheState) {
    ASSERT_NE(g_pSettings, nullptr);
    EXPECT_FALSE(g_pSettings->OfficeMouse());
    EXPECT_EQ(g_pCurrentApp, nullptr);
    EXPECT_EQ(g_hMouseHook, nullptr);
    EXPECT_EQ(g_nCurrentLayer, 0);
    EXPECT_EQ(GetHotkeys(), g_pSettings->GetHotKeys());
    EXPECT_EQ(GetAxisLocks(), &g_LockAxis);
}

TEST_F(FlagFunctionsTest, WithoutSettingsObjectEachFlagHasItsFixedAnswer) {
    delete g_pSettings;
    g_pSettings = nullptr;

    EXPECT_TRUE(GetShowIcon());
    EXPECT_FALSE(GetReinstallOnResume());
    EXPECT_FALSE(GetOfficeMouse());
    SetOfficeMouse(true);
    EXPECT_FALSE(GetOfficeMouse());
    EXPECT_TRUE(NotificatcionsEnabled());
    EXPECT_FALSE(GetEnableOSD());
    EXPECT_FALSE(GetAlwaysShowOSD());
    EXPECT_TRUE(CheckVersionEnabled());
    EXPECT_FALSE(CheckBetaVersionEnabled());
    EXPECT_EQ(CheckVersionDays(), 5);
    EXPECT_EQ(GetHotkeys(), nullptr);
}

TEST_F(FlagFunctionsTest, FlagsReadAndWriteTheSettingsObject) {
    g_pSettings->SetShowTrayIcon(false);
    g_pSettings->SetNotifications(false);
    g_pSettings->SetEnableOSD(false);
    g_pSettings->SetAlwaysShowOSD(true);
    g_pSettings->SetCheckVersion(false);
    g_pSettings->SetCheckBetaVersion(true);
    g_pSettings->SetCheckVersionDays(12);
    EXPECT_FALSE(GetShowIcon());
    EXPECT_FALSE(NotificatcionsEnabled());
    EXPECT_FALSE(GetEnableOSD());
    EXPECT_TRUE(GetAlwaysShowOSD());
    EXPECT_FALSE(CheckVersionEnabled());
    EXPECT_TRUE(CheckBetaVersionEnabled());
    EXPECT_EQ(CheckVersionDays(), 12);

    EXPECT_TRUE(GetReinstallOnResume());
    g_pSettings->SetDisableReinstallOnResume(true);
    EXPECT_FALSE(GetReinstallOnResume());

    SetOfficeMouse(true);
    EXPECT_TRUE(g_pSettings->OfficeMouse());
    EXPECT_TRUE(GetOfficeMouse());

    EXPECT_FALSE(GetHooked());
    g_hMouseHook = FakeHook();
    EXPECT_TRUE(GetHooked());

    g_dwHookTimeout = 300;
    EXPECT_EQ(GetHooktimeoutValue(), 300u);
}

TEST_F(FlagFunctionsTest, WindowSettersStoreTheirWindowsButBrightnessNeedsItsObject) {
    SetHookMainWindow(FakeWindow(0x10));
    SetHookVolumeOSDWindow(FakeWindow(0x20));
    SetHookBrightnessOSDWindow(FakeWindow(0x30));
    EXPECT_EQ(g_hMainWindow, FakeWindow(0x10));
    EXPECT_EQ(g_hVolumeOSDWindow, FakeWindow(0x20));
    EXPECT_EQ(g_pBrightness, nullptr);
    EXPECT_EQ(g_hBrightnessOSDWindow, nullptr);
}

TEST_F(FlagFunctionsTest, SetDebugLogsOnlyChanges) {
    SetDebug(true);
    SetDebug(true);
    EXPECT_TRUE(GetDebug());
    EXPECT_EQ(DebugLinesWith(L"Enabling extra debug logging."), 1u);
    SetDebug(false);
    SetDebug(false);
    EXPECT_FALSE(GetDebug());
    EXPECT_EQ(DebugLinesWith(L"Disabling extra debug logging."), 1u);

    // Once the log has shut down the flag stays as it was.
    CLogger::Shutdown();
    desktop.diagnostics.ClearDebugLines();
    SetDebug(true);
    EXPECT_FALSE(CLogger::DebugEnabled());
    EXPECT_GE(DebugLinesWith(L"Logger has been shutdown. Unable to enter critical section."), 1u);
}

TEST_F(FlagFunctionsTest, CurrentProcessNameFollowsTheLengthProtocol) {
    SetLastProcess(L"notepad.exe"); // 11 characters

    int length = 99;
    EXPECT_EQ(GetCurrentProcessName(nullptr, length), 0);
    EXPECT_EQ(length, 12);

    Char small[5] = {L'x', L'x', L'x', L'x', 0};
    length = 5;
    EXPECT_EQ(GetCurrentProcessName(small, length), 0);
    EXPECT_EQ(length, 12);
    EXPECT_STREQ(small, L"xxxx");

    length = -1;
    EXPECT_EQ(GetCurrentProcessName(small, length), 0);
    EXPECT_EQ(length, 12);

    // Exactly the name's length leaves no room for the terminator: nothing is copied.
    Char exact[12];
    std::fill(std::begin(exact), std::end(exact), L'#');
    length = 11;
    EXPECT_EQ(GetCurrentProcessName(exact, length), 0);
    EXPECT_EQ(length, 12);
    EXPECT_EQ(exact[0], L'#');

    length = 12;
    EXPECT_EQ(GetCurrentProcessName(exact, length), 11);
    EXPECT_STREQ(exact, L"notepad.exe");

    Char buffer[64];
    length = 64;
    EXPECT_EQ(GetCurrentProcessName(buffer, length), 11);
    EXPECT_STREQ(buffer, L"notepad.exe");

    // A current profile with an application name wins over the last process.
    CApplicationSettings profile(g_pSettings, false);
    profile.SetApplication(L"WinWord.EXE");
    g_pCurrentApp = &profile;
    EXPECT_EQ(GetCurrentProcessName(buffer, length), 11);
    EXPECT_STREQ(buffer, L"winword.exe");

    CApplicationSettings unnamed(g_pSettings, false);
    g_pCurrentApp = &unnamed;
    EXPECT_EQ(GetCurrentProcessName(buffer, length), 11);
    EXPECT_STREQ(buffer, L"notepad.exe");
}

TEST_F(FlagFunctionsTest, DisabledWhenUnhookedInRemoteSessionsOrWithScrollLock) {
    EXPECT_TRUE(IsVESKDisabled());
    g_hMouseHook = FakeHook();
    EXPECT_FALSE(IsVESKDisabled());

    // Scroll Lock counts when toggled (low bit), not when merely held down.
    desktop.systemInfo.SetKeyState(0x91, static_cast<short>(0x8000));
    EXPECT_FALSE(IsVESKDisabled());
    desktop.systemInfo.SetKeyState(0x91, 1);
    EXPECT_TRUE(IsVESKDisabled());
    g_pSettings->SetScrollLockBypass(false);
    EXPECT_FALSE(IsVESKDisabled());

    desktop.systemInfo.remoteSession = true;
    EXPECT_FALSE(IsVESKDisabled());
    g_pSettings->SetDisableInRDP(true);
    EXPECT_TRUE(IsVESKDisabled());
    desktop.systemInfo.remoteSession = false;
    EXPECT_FALSE(IsVESKDisabled());

    delete g_pSettings;
    g_pSettings = nullptr;
    desktop.systemInfo.remoteSession = true;
    EXPECT_FALSE(IsVESKDisabled());
}

TEST_F(FlagFunctionsTest, LockingFunctionsWaitForTheGlobalLockUnderTheirNames) {
    CLogger::EnableDebug(true);
    const std::pair<const Char*, std::function<void()>> calls[] = {
        {L"SetHookMainWindow", [] { SetHookMainWindow(nullptr); }},
        {L"SetHookVolOSDWindow", [] { SetHookVolumeOSDWindow(nullptr); }},
        {L"SetHookBriOSDWindow", [] { SetHookBrightnessOSDWindow(nullptr); }},
        {L"GetShowIcon", [] { GetShowIcon(); }},
        {L"GetReinstallOnResume", [] { GetReinstallOnResume(); }},
        {L"SetDebug", [] { SetDebug(true); }},
        {L"GetDebug", [] { GetDebug(); }},
        {L"GetHooked", [] { GetHooked(); }},
        {L"SetOfficeMouse", [] { SetOfficeMouse(false); }},
        {L"GetOfficeMouse", [] { GetOfficeMouse(); }},
        {L"EnableNotifications", [] { NotificatcionsEnabled(); }},
        {L"CheckVersionEnabled", [] { CheckVersionEnabled(); }},
        {L"CheckBetaVersionEnabled", [] { CheckBetaVersionEnabled(); }},
        {L"CheckVersionDays", [] { CheckVersionDays(); }},
    };
    for (const auto& [name, call] : calls) {
        const String waiting = String(L"for lock '") + name + L"'";
        std::atomic<bool> done{false};
        std::unique_ptr<std::thread> caller;
        {
            GlobalLockHolder holder;
            caller = std::make_unique<std::thread>([&done, &call = call] {
                call();
                done = true;
            });
            EXPECT_TRUE(pw::test::WaitUntil([&] { return DebugLinesWith(waiting) > 0; }))
                << waiting;
            EXPECT_FALSE(done) << waiting;
        }
        caller->join();
        EXPECT_TRUE(done);
    }
}

TEST_F(FlagFunctionsTest, LockFreeReadersDoNotWaitForTheGlobalLock) {
    SetLastProcess(L"a.exe");
    g_hMouseHook = FakeHook();
    std::atomic<bool> done{false};
    std::unique_ptr<std::thread> reader;
    {
        GlobalLockHolder holder;
        reader = std::make_unique<std::thread>([&] {
            int length = 0;
            GetEnableOSD();
            GetAlwaysShowOSD();
            GetHooktimeoutValue();
            GetAxisLocks();
            GetHotkeys();
            IsVESKDisabled();
            GetCurrentProcessName(nullptr, length);
            done = true;
        });
        EXPECT_TRUE(pw::test::WaitUntil([&] { return done.load(); }));
    }
    reader->join();
}

} // namespace
