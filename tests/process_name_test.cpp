#include "hook/library.h"
#include "platform/sim/simulated_desktop.h"
#include "runtime/runtime_state.h"
#include "runtime/thread_timers.h"
#include "support/logger.h"
#include "support/thread_lock.h"
#include "windows/process_name.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using pw::sim::SimProcess;
using pw::sim::SimWindowSpec;
using pw::windows::kNoProcessId;
using pw::windows::kUnknownIntegrity;

constexpr unsigned long kHostPid = 200;
constexpr unsigned long kAppPid = 300;

class ProcessNameTest : public ::testing::Test {
  protected:
    void SetUp() override { CLogger::EnableDebug(true); }
    void TearDown() override { CLogger::EnableDebug(false); }

    void AddProcess(unsigned long pid, const Char* path) {
        SimProcess process;
        process.processId = pid;
        process.imagePath = path;
        desktop.processes.Add(process);
    }

    // A lookup as the button processing makes it: fresh depth, caller ProcessButton.
    String Lookup(HWND hwnd, unsigned long pid, bool expectFound = true) {
        name.fill(L'?');
        name.back() = 0;
        int depth = 0;
        EXPECT_EQ(pw::GetProcessName(hwnd, pid, name.data(), static_cast<int>(name.size()), &depth,
                                     pw::windows::kCallerProcessButton),
                  expectFound);
        return name.data();
    }
    String LookupWindow(HWND hwnd) {
        EXPECT_TRUE(pw::GetProcessNameFromWindow(hwnd, name.data(), static_cast<int>(name.size()),
                                                 pw::windows::kCallerMouseMove));
        return name.data();
    }

    HWND Window(HWND parent, unsigned long pid, const Char* className) {
        SimWindowSpec spec;
        spec.className = className;
        spec.rect = RECT{0, 0, 800, 600};
        spec.parent = parent;
        spec.processId = pid;
        spec.threadId = pid + 1;
        return desktop.windows.Create(spec);
    }

    size_t LinesWith(StringView text) {
        size_t count = 0;
        for (const String& line : desktop.diagnostics.DebugLines())
            count += line.find(text) != String::npos;
        return count;
    }

    pw::sim::SimulatedDesktop desktop;
    pw::hook::LibraryScope library;
    // Lookups run with the global lock held, as on the hook and timer threads.
    CThreadLock lock{L"ProcessNameTest"};
    std::array<Char, 260> name{};
};

TEST_F(ProcessNameTest, OneLookupIsCachedUntilAnotherReplacesOrAFailureClearsIt) {
    EXPECT_EQ(g_dwLastPid, kNoProcessId);
    AddProcess(100, L"C:\\Program Files\\Notepad++\\Notepad++.EXE");
    AddProcess(101, L"C:\\Windows\\explorer.exe");

    EXPECT_EQ(Lookup(nullptr, 100), L"notepad++.exe");
    EXPECT_EQ(desktop.processes.OpenCount(), 1);
    EXPECT_FALSE(g_bModernApp);
    EXPECT_EQ(g_dwLastIntegrity, pw::platform::kIntegrityMedium);
    EXPECT_EQ(g_dwLastPid, 100u);
    EXPECT_STREQ(g_szCachedProcess, L"notepad++.exe");
    EXPECT_EQ(LinesWith(L"GetProcessName(3 ProcessButton): Got name for PID 100, 'notepad++.exe' "
                        L"using GetProcessImageFileName"),
              1u);

    // The second lookup opens nothing, and says it came from the cache.
    EXPECT_EQ(Lookup(nullptr, 100), L"notepad++.exe");
    EXPECT_EQ(desktop.processes.OpenCount(), 1);
    EXPECT_TRUE(g_bModernApp);
    EXPECT_EQ(g_dwLastIntegrity, kUnknownIntegrity);

    EXPECT_EQ(Lookup(nullptr, 101), L"explorer.exe");
    EXPECT_EQ(desktop.processes.OpenCount(), 2);

    // A process that is gone clears the cache, so the next lookup asks the system again.
    Lookup(nullptr, 999, false);
    EXPECT_EQ(g_dwLastPid, kNoProcessId);
    EXPECT_STREQ(g_szCachedProcess, L"");
    EXPECT_EQ(LinesWith(L"GetProcessName result 0 time"), 1u);
    EXPECT_EQ(Lookup(nullptr, 101), L"explorer.exe");
    EXPECT_EQ(desktop.processes.OpenCount(), 3);
    EXPECT_EQ(desktop.processes.OpenHandleCount(), 0u);

    // A short buffer gets the name cut to fit.
    std::array<Char, 5> shortName{};
    int depth = 0;
    EXPECT_TRUE(pw::GetProcessName(nullptr, 100, shortName.data(), 5, &depth, 1));
    EXPECT_STREQ(shortName.data(), L"note");
}

TEST_F(ProcessNameTest, LaterQueriesAndTheSnapshotNameWhatTheFirstCannot) {
    SimProcess editor;
    editor.processId = 110;
    editor.imagePath = L"C:\\Tools\\Editor.exe";
    editor.imageNameFails = true;
    editor.integrity = pw::platform::kIntegrityHigh;
    desktop.processes.Add(editor);
    EXPECT_EQ(Lookup(nullptr, 110), L"editor.exe");
    EXPECT_EQ(g_dwLastIntegrity, pw::platform::kIntegrityHigh);
    EXPECT_EQ(LinesWith(L"'editor.exe' using GetModuleFileNameEx"), 1u);

    // A protected process cannot be opened; the snapshot names it in the system's case.
    SimProcess guard;
    guard.processId = 120;
    guard.imagePath = L"C:\\ProgramData\\Defender\\MsMpEng.exe";
    guard.snapshotName = L"MsMpEng.exe";
    guard.accessDenied = true;
    desktop.processes.Add(guard);
    HWND window = Window(nullptr, 120, L"Hidden");
    EXPECT_EQ(Lookup(window, 120), L"MsMpEng.exe");
    EXPECT_EQ(g_dwLastIntegrity, kUnknownIntegrity);
    EXPECT_EQ(LinesWith(L"Error 5 in GetProcessName(). Unable to get name for PID 120"), 1u);
    EXPECT_EQ(LinesWith(L"'MsMpEng.exe' for HWND 0x"), 1u);

    // Opened but unnamed by every path query: the snapshot still answers.
    editor.processId = 130;
    editor.moduleNameFails = true;
    editor.snapshotName = L"Editor.EXE";
    desktop.processes.Add(editor);
    EXPECT_EQ(Lookup(nullptr, 130), L"Editor.EXE");
    EXPECT_EQ(desktop.processes.OpenHandleCount(), 0u);

    desktop.processes.snapshotFails = true;
    Lookup(nullptr, 120, false);
    EXPECT_EQ(LinesWith(L"Error 5 in CreateToolhelp32Snapshot(). Unable to snapshot the "
                        L"processes."),
              1u);
}

TEST_F(ProcessNameTest, IntegrityLevelComesFromTheProcessToken) {
    SimProcess process;
    process.processId = 140;
    process.imagePath = L"C:\\Windows\\System32\\services.exe";
    process.integrity = pw::platform::kIntegritySystem;
    desktop.processes.Add(process);
    auto& processes = desktop.processes;
    HANDLE handle = processes.OpenProcess(pw::platform::kProcessQueryInformation, 140);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(GetProcessIntegrityLevel(handle), pw::platform::kIntegritySystem);

    process.tokenDenied = true;
    processes.Add(process);
    EXPECT_EQ(GetProcessIntegrityLevel(handle), kUnknownIntegrity);
    EXPECT_EQ(GetProcessIntegrityLevel(nullptr), kUnknownIntegrity);
    processes.CloseHandle(handle);
    EXPECT_EQ(processes.OpenHandleCount(), 0u);
    EXPECT_EQ(LinesWith(L"GetProcessIntegrityLevel for"), 3u);
    EXPECT_EQ(LinesWith(L"returned 0x00004000"), 1u);
    EXPECT_EQ(LinesWith(L"GetProcessIntegrityLevel for 0x00000000 failed"), 1u);
}

TEST_F(ProcessNameTest, FrameHostWindowsNameTheAppTheyFrame) {
    AddProcess(kHostPid, L"C:\\Windows\\System32\\ApplicationFrameHost.exe");
    AddProcess(kAppPid, L"C:\\Program Files\\WindowsApps\\Calculator.exe");
    // Children top of z-order first: the host's title bar, the app's content, the host's
    // backdrop.
    HWND frame = Window(nullptr, kHostPid, L"ApplicationFrameWindow");
    HWND backdrop = Window(frame, kHostPid, L"ApplicationFrameInputSinkWindow");
    Window(frame, kAppPid, L"Windows.UI.Core.CoreWindow");
    Window(frame, kHostPid, L"ApplicationFrameTitleBarWindow");

    // The search passes over the host's own title bar.
    EXPECT_EQ(LookupWindow(frame), L"calculator.exe");
    EXPECT_EQ(g_dwLastPid, kAppPid);

    // A host child stands for the window before it.
    EXPECT_EQ(LookupWindow(backdrop), L"calculator.exe");

    // Asked without a window, the host's lookup follows the foreground window.
    desktop.windows.SetForeground(frame);
    EXPECT_EQ(Lookup(nullptr, kHostPid), L"calculator.exe");

    // A frame with nothing of another process is the host itself, and the host is never
    // answered from the cache.
    HWND empty = Window(nullptr, kHostPid, L"ApplicationFrameWindow");
    Window(empty, kHostPid, L"ApplicationFrameTitleBarWindow");
    EXPECT_EQ(LookupWindow(empty), L"applicationframehost.exe");
    EXPECT_TRUE(g_bModernApp);
    const int opens = desktop.processes.OpenCount();
    EXPECT_EQ(LookupWindow(empty), L"applicationframehost.exe");
    EXPECT_EQ(desktop.processes.OpenCount(), opens + 1);
    EXPECT_EQ(LinesWith(L"Called for the same PID 200"), 1u);
}

TEST_F(ProcessNameTest, StoreAppHostIsNamedAfterItsWindow) {
    AddProcess(400, L"C:\\Windows\\System32\\WWAHost.exe");
    HWND root = Window(nullptr, 400, L"ApplicationFrameWindow");
    desktop.windows.SetCaption(root, L"Weather App");
    HWND child = Window(root, 400, L"WebView");

    EXPECT_EQ(LookupWindow(child), L"modern ui - weather app");
    EXPECT_TRUE(g_bModernApp);
    EXPECT_STREQ(g_szCachedProcess, L"modern ui - weather app");

    // The name stays within the caller's buffer.
    pw::windows::ResetProcessNameState();
    std::array<Char, 12> shortName{};
    EXPECT_TRUE(pw::GetProcessNameFromWindow(child, shortName.data(), 12, 1));
    EXPECT_STREQ(shortName.data(), L"modern ui -");

    pw::windows::ResetProcessNameState();
    desktop.windows.SetCaption(root, L"");
    EXPECT_EQ(LookupWindow(child), L"modern ui");

    // Without a window there is nothing to name it after.
    pw::windows::ResetProcessNameState();
    EXPECT_EQ(Lookup(nullptr, 400), L"wwahost.exe");
}

TEST_F(ProcessNameTest, AndroidEmulatorSchedulesOneHookResetPerProcess) {
    AddProcess(500, L"C:\\Program Files\\Andy\\Andy.exe");
    AddProcess(501, L"C:\\Program Files\\Andy\\Andy.exe");
    AddProcess(600, L"C:\\Windows\\explorer.exe");
    const StringView found = L"Found new process - andy.exe (Andy Android Emulator) - We know this "
                             L"breaks the hook to re-install it!";

    EXPECT_EQ(Lookup(nullptr, 500), L"andy.exe");
    EXPECT_EQ(g_dwAndyPid, 500u);
    EXPECT_EQ(LinesWith(found), 1u);
    EXPECT_EQ(desktop.timers.DueIn(pw::runtime::kResetHookTimer), 20000);
    EXPECT_NE(g_uResetHookTimer, 0u);
    pw::KillThreadTimer(pw::runtime::kResetHookTimer);
    g_uResetHookTimer = 0;

    // The same process again, also after the cache moved on, schedules nothing.
    Lookup(nullptr, 600);
    EXPECT_EQ(Lookup(nullptr, 500), L"andy.exe");
    EXPECT_EQ(LinesWith(found), 1u);
    EXPECT_FALSE(desktop.timers.IsRunning(pw::runtime::kResetHookTimer));

    EXPECT_EQ(Lookup(nullptr, 501), L"andy.exe");
    EXPECT_EQ(LinesWith(found), 2u);
    EXPECT_TRUE(desktop.timers.IsRunning(pw::runtime::kResetHookTimer));
}

TEST_F(ProcessNameTest, NestedLookupsStopBeyondFiveLevels) {
    AddProcess(100, L"C:\\Windows\\notepad.exe");
    int depth = 6;
    EXPECT_FALSE(pw::GetProcessName(nullptr, 100, name.data(), 260, &depth, 11));
    EXPECT_EQ(desktop.processes.OpenCount(), 0);
    EXPECT_EQ(LinesWith(L"Recursion Protection : Unable to answer GetProcessByName(Unknown) "
                        L"request for window 0x00000000 (PID: 0x00000064)"),
              1u);

    depth = 5;
    EXPECT_TRUE(pw::GetProcessName(nullptr, 100, name.data(), 260, &depth, 1));
    EXPECT_EQ(depth, 6);

    // A frame host asked without a window while nothing is in front keeps asking itself
    // until the guard ends it.
    AddProcess(kHostPid, L"C:\\Windows\\System32\\ApplicationFrameHost.exe");
    desktop.windows.SetForeground(nullptr);
    depth = 0;
    EXPECT_FALSE(pw::GetProcessName(nullptr, kHostPid, name.data(), 260, &depth, 3));
    EXPECT_EQ(depth, 6);
    EXPECT_EQ(LinesWith(L"Recursion Protection : Unable to answer "
                        L"GetProcessByName(GPNUniversalApp2)"),
              1u);
    EXPECT_EQ(desktop.processes.OpenHandleCount(), 0u);
}

} // namespace
