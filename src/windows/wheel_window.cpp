#include "windows/wheel_window.h"

#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "settings/application_settings.h"
#include "settings/settings.h"
#include "support/thread_lock.h"
#include "windows/integrity.h"
#include "windows/process_name.h"
#include "windows/process_name_cache.h"
#include "windows/profile_matching.h"
#include "windows/window_from_point.h"

#include <array>

namespace {

pw::windows::WheelTarget g_WheelTarget;
// The last level read for a window outside the cache, so that notches over a window
// that is not looked up through the cache open its process once.
struct IntegrityMemo {
    unsigned long processId = 0;
    unsigned long level = 0;
};
IntegrityMemo g_IntegrityMemo;

bool InBox(const RECT& box, const POINT& pt) {
    return pt.x >= box.left && pt.x < box.right && pt.y >= box.top && pt.y < box.bottom;
}

// Whether window lies inside root (a descendant through parents, as IsChild tells).
bool IsInside(HWND root, HWND window) {
    auto& windows = pw::platform::GetWindows();
    for (HWND parent = windows.Ancestor(window, pw::platform::kGaParent); parent;
         parent = windows.Ancestor(parent, pw::platform::kGaParent)) {
        if (parent == root)
            return true;
    }
    return false;
}

// The activation facts of window's root: none for a topmost root.
void RecordRoot(pw::windows::WheelTarget& target, HWND window) {
    auto& windows = pw::platform::GetWindows();
    HWND root = windows.Ancestor(window, pw::platform::kGaRoot);
    if (!root)
        return;
    const unsigned long exStyle = windows.WindowLong(root, pw::platform::kGwlExStyle);
    if (exStyle & pw::platform::kWsExTopmost)
        return;
    target.root = root;
    target.rootNoActivate = (exStyle & pw::platform::kWsExNoActivate) != 0;
    target.rootOwnsForeground = IsInside(root, windows.ForegroundWindow());
}

} // namespace

const pw::windows::WheelTarget& pw::windows::CachedWheelTarget() {
    return g_WheelTarget;
}

unsigned long pw::windows::WheelWindowIntegrity(HWND window) {
    unsigned long processId = 0;
    pw::platform::GetWindows().ThreadProcessId(window, &processId);
    if (processId == 0)
        return WindowIntegrity(window);
    if (g_WheelTarget.window && processId == g_WheelTarget.processId)
        return g_WheelTarget.integrity;
    if (processId != g_IntegrityMemo.processId)
        g_IntegrityMemo = IntegrityMemo{processId, WindowIntegrity(window)};
    return g_IntegrityMemo.level;
}

void CWheel::Reset() {
    CThreadLock lock(L"CWheel Reset");
    g_WheelTarget = pw::windows::WheelTarget{};
    g_IntegrityMemo = IntegrityMemo{};
}

bool pw::SetWheelWindow(HWND hwnd, const POINT* pt, bool clearPoint, bool force) {
    PW_ASSERT_LOCK_HELD();
    using pw::windows::WheelTarget;
    if (hwnd == g_WheelTarget.window && !force)
        return g_WheelTarget.profile != nullptr;

    WheelTarget evaluation;
    if (!clearPoint) {
        evaluation.pt = g_WheelTarget.pt;
        evaluation.box = g_WheelTarget.box;
    }
    std::array<Char, pw::windows::kProcessNameCapacity> name{};
    unsigned long processId = 0;
    pw::platform::GetWindows().ThreadProcessId(hwnd, &processId);
    pw::windows::ProcessNameOfWindow(hwnd, processId, hwnd, name.data(),
                                     static_cast<int>(name.size()),
                                     pw::windows::kCallerWindowFromHwnd);
    // A repeated lookup of the same process answers from the name cache without opening
    // it, so the level is read here then.
    unsigned long integrity = g_dwLastIntegrity;
    if (integrity == pw::windows::kUnknownIntegrity)
        integrity = pw::windows::WindowIntegrity(hwnd);
    bool overTaskbar = false;
    CApplicationSettings* profile = pw::windows::FindProfile(hwnd, name.data(), pt, &overTaskbar);
    if (profile) {
        auto& windows = pw::platform::GetWindows();
        evaluation.window = hwnd;
        evaluation.target = hwnd;
        evaluation.parent = windows.Parent(hwnd);
        windows.ThreadProcessId(hwnd, &evaluation.processId);
        evaluation.integrity = integrity;
        evaluation.profile = profile;
        evaluation.scrollMethod = profile->AdvScrollMethod();
        if (g_pSettings && (g_pSettings->ActivateOnMouseOver() || g_pSettings->ActivateOnScroll()))
            RecordRoot(evaluation, hwnd);
    }
    g_WheelTarget = evaluation;
    return profile != nullptr;
}

bool pw::CheckWheelWindow(const POINT* pt) {
    PW_ASSERT_LOCK_HELD();
    if (!pt)
        return false;
    // A cached window that has gone since is looked up afresh.
    if (InBox(g_WheelTarget.box, *pt) &&
        (!g_WheelTarget.window || pw::platform::GetWindows().Exists(g_WheelTarget.window)))
        return g_WheelTarget.profile != nullptr;
    HWND window = RealWindowFromPoint(*pt);
    if (!window)
        return false;
    g_WheelTarget.pt = *pt;
    g_WheelTarget.box =
        RECT{pt->x - pw::windows::kWheelBoxHalf, pt->y - pw::windows::kWheelBoxHalf,
             pt->x + pw::windows::kWheelBoxHalf, pt->y + pw::windows::kWheelBoxHalf};
    return pw::SetWheelWindow(window, pt, false, false);
}
