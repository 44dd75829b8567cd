#include "windows/process_name.h"

#include "platform/platform.h"
#include "runtime/reset_hook_timer.h"
#include "runtime/runtime_state.h"
#include "runtime/thread_timers.h"
#include "support/exception_handler.h"
#include "support/logger.h"
#include "support/text_compare.h"
#include "support/thread_lock.h"
#include "windows/process_name_cache.h"
#include "windows/process_query.h"

#include <array>
#include <cstdint>
#include <optional>

unsigned long g_dwLastPid = pw::windows::kNoProcessId;
Char g_szCachedProcess[pw::windows::kProcessNameCapacity] = {};
unsigned long g_dwLastIntegrity = pw::windows::kUnknownIntegrity;
unsigned long g_dwAndyPid = 0;

namespace pw::windows {

namespace {

// The store-app frame host: one process shows the windows of many apps.
constexpr StringView kFrameHost = L"applicationframehost.exe";
// An Android emulator whose start breaks the low-level hooks.
constexpr StringView kAndroidEmulator = L"andy.exe";
constexpr StringView kStoreAppHost = L"wwahost.exe";
constexpr StringView kStoreAppName = L"modern ui";
constexpr unsigned kHookResetDelayMs = 20000;
constexpr int kTitleCapacity = 1024;

unsigned Low32(const void* handle) {
    return static_cast<unsigned>(reinterpret_cast<uintptr_t>(handle));
}

int AsInt(unsigned long value) {
    return static_cast<int>(value);
}

// A caller's buffer for a log line; it may hold anything up to nameLen characters.
StringView Shown(const Char* name, int nameLen) {
    return StringView(name, BoundedLength(name, static_cast<size_t>(nameLen)));
}

// A frame host's window stands for the window of the app it frames: the first child of
// another process for a top-level frame, the window before it in z-order for a child.
// Empty when the frame shows nothing of another process.
std::optional<bool> FollowFrameHost(HWND hwnd, unsigned long pid, Char* name, int nameLen,
                                    int* depth) {
    auto& windows = platform::GetWindows();
    if (!hwnd)
        return pw::GetProcessName(windows.ForegroundWindow(), pid, name, nameLen, depth,
                                  kCallerForeground);
    if (windows.Ancestor(hwnd, platform::kGaRoot) == hwnd) {
        for (HWND child = windows.Related(hwnd, platform::kGwChild); child;
             child = windows.Related(child, platform::kGwHwndNext)) {
            unsigned long childPid = 0;
            windows.ThreadProcessId(child, &childPid);
            if (childPid != pid)
                return pw::GetProcessName(child, childPid, name, nameLen, depth, kCallerFrameChild);
        }
        return std::nullopt;
    }
    if (HWND previous = windows.Related(hwnd, platform::kGwHwndPrev))
        return pw::GetProcessNameFromWindow(previous, name, nameLen, kCallerPreviousWindow);
    return std::nullopt;
}

void ScheduleHookReset() {
    const uintptr_t id =
        pw::SetThreadTimer(pw::runtime::kResetHookTimer, kHookResetDelayMs, pw::ResetHookTimerProc);
    if (id)
        g_uResetHookTimer = id;
}

// Names that need more than the executable: the emulator that breaks the hooks, and the
// store-app host, named after the app's window.
void ApplySpecialNames(HWND hwnd, unsigned long pid, Char* name, int nameLen) {
    const StringView found = Shown(name, nameLen);
    if (EqualsIgnoringCase(found, kAndroidEmulator) && pid != g_dwAndyPid) {
        CLogger::LogDebug(L"Found new process - %ls (Andy Android Emulator) - We know this breaks "
                          L"the hook to re-install it!",
                          name);
        g_dwAndyPid = pid;
        ScheduleHookReset();
        return;
    }
    if (!EqualsIgnoringCase(found, kStoreAppHost) || !hwnd)
        return;
    g_bModernApp = true;
    CopyTruncated(name, nameLen, kStoreAppName);
    auto& windows = platform::GetWindows();
    std::array<Char, kTitleCapacity> title{};
    const int length =
        windows.WindowText(windows.Ancestor(hwnd, platform::kGaRoot), title.data(), kTitleCapacity);
    if (length <= 0)
        return;
    LowerInPlace(title.data());
    AppendTruncated(name, nameLen, L" - ");
    AppendTruncated(name, nameLen, title.data());
}

int Elapsed(uint32_t start) {
    return static_cast<int>(platform::TickCount() - start);
}

bool Lookup(HWND hwnd, unsigned long pid, Char* name, int nameLen, int* depth,
            const LookupCaller& caller, uint32_t start) {
    bool found = NameFromOpenProcess(hwnd, pid, name, nameLen, caller) ||
                 NameFromSnapshot(hwnd, pid, name, nameLen, caller);
    if (!found) {
        g_dwLastPid = kNoProcessId;
        g_szCachedProcess[0] = 0;
        CLogger::LogDebug(L"GetProcessName result %d time %dms", 0, Elapsed(start));
        return false;
    }
    if (EqualsIgnoringCase(Shown(name, nameLen), kFrameHost)) {
        g_bModernApp = true;
        if (std::optional<bool> framed = FollowFrameHost(hwnd, pid, name, nameLen, depth))
            return *framed;
    }
    ApplySpecialNames(hwnd, pid, name, nameLen);
    CopyTruncated(g_szCachedProcess, static_cast<int>(kProcessNameCapacity), Shown(name, nameLen));
    g_dwLastPid = pid;
    CLogger::LogDebug(L"GetProcessName result %d time %dms", 1, Elapsed(start));
    return true;
}

} // namespace

const Char* ProcessNameCallerName(int callerId) {
    static constexpr std::array<const Char*, 10> kNames = {
        L"MouseMove",        L"Keyboard",        L"ProcessButton",  L"LoadXML",
        L"LoadRegistry",     L"RepeatTimer",     L"WindowFromHWND", L"GPNUniversalApp2",
        L"GPNUniversalApp2", L"GPNUniversalApp3"};
    if (callerId < 1 || callerId > static_cast<int>(kNames.size()))
        return L"Unknown";
    return kNames[static_cast<size_t>(callerId - 1)];
}

void ResetProcessNameState() {
    ClearProcessNameCache();
    g_dwLastPid = kNoProcessId;
    g_szCachedProcess[0] = 0;
    g_bModernApp = false;
    g_dwLastIntegrity = kUnknownIntegrity;
    g_dwAndyPid = 0;
}

} // namespace pw::windows

bool pw::GetProcessName(HWND hwnd, unsigned long pid, Char* name, int nameLen, int* depth,
                        int callerId) {
    PW_ASSERT_LOCK_HELD();
    using namespace pw;
    using namespace pw::windows;
    const LookupCaller caller{callerId, ProcessNameCallerName(callerId)};
    const uint32_t start = pw::platform::TickCount();
    g_bModernApp = false;
    g_dwLastIntegrity = kUnknownIntegrity;
    if (!name || nameLen <= 0) {
        CLogger::LogMessage(L"GetProcessName(%d %ls): No room for the name of PID %d.", caller.id,
                            caller.name, AsInt(pid));
        return false;
    }
    int ownDepth = 0;
    if (!depth)
        depth = &ownDepth;
    if (*depth > kMaxLookupDepth) {
        const StringView shown = Shown(name, nameLen);
        CLogger::LogMessage(
            L"Recursion Protection : Unable to answer GetProcessByName(%ls) request "
            L"for window 0x%08X (PID: 0x%08X) '%.*ls'. ",
            caller.name, Low32(hwnd), static_cast<unsigned>(pid), static_cast<int>(shown.size()),
            shown.data());
        return false;
    }
    ++*depth;

    if (pid == g_dwLastPid) {
        if (!EqualsIgnoringCase(ViewOf(g_szCachedProcess), kFrameHost)) {
            g_bModernApp = true;
            CopyTruncated(name, nameLen, ViewOf(g_szCachedProcess));
            return true;
        }
        const StringView shown = Shown(name, nameLen);
        CLogger::LogDebug(L"GetProcessName(%d %ls): Called for the same PID %d [%.*ls] but as it "
                          L"is a modern UI app, we will check anyway HWND 0x%08X",
                          caller.id, caller.name, AsInt(pid), static_cast<int>(shown.size()),
                          shown.data(), Low32(hwnd));
    }

    try {
        return Lookup(hwnd, pid, name, nameLen, depth, caller, start);
    } catch (...) {
        pw::handle_exception(L"GetProcessName(%d %ls)", caller.id, caller.name);
    }
}

bool pw::GetProcessNameFromWindow(HWND hwnd, Char* name, int nameLen, int callerId) {
    unsigned long pid = 0;
    pw::platform::GetWindows().ThreadProcessId(hwnd, &pid);
    int depth = 0;
    return pw::GetProcessName(hwnd, pid, name, nameLen, &depth, callerId);
}
