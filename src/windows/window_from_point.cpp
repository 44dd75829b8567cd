#include "windows/window_from_point.h"

#include "platform/platform.h"
#include "settings/os_version.h"
#include "support/logger.h"
#include "windows/smallest_child.h"

#include <atomic>
#include <cstdint>

namespace {

namespace scaling = pw::platform::scaling;

// The optional exports, written at start-up and read on the hook and timer threads.
std::atomic<scaling::WindowFromPhysicalPointFn> g_pWindowFromPhysicalPoint{nullptr};
std::atomic<scaling::GetPhysicalCursorPosFn> g_pGetPhysicalCursorPos{nullptr};
std::atomic<scaling::LogicalToPhysicalPointForPerMonitorDPIFn> g_pLogicalToPhysicalPoint{nullptr};
std::atomic<scaling::GetDpiForMonitorFn> g_pGetDpiForMonitor{nullptr};
std::atomic<bool> g_bWin81Scaling{false};

template <typename Function> Function FindExport(const Char* module, const char* name) {
    auto& processes = pw::platform::GetProcesses();
    HMODULE handle = processes.LoadedModule(module);
    if (!handle)
        return nullptr;
    return reinterpret_cast<Function>(processes.ProcAddress(handle, name));
}

unsigned Low32(const void* handle) {
    return static_cast<unsigned>(reinterpret_cast<uintptr_t>(handle));
}

} // namespace

namespace pw::windows {

bool Win81Scaling() {
    return g_bWin81Scaling.load(std::memory_order_relaxed);
}

} // namespace pw::windows

void InitScalingFunctions() {
    g_pWindowFromPhysicalPoint = nullptr;
    g_pGetPhysicalCursorPos = nullptr;
    g_pLogicalToPhysicalPoint = nullptr;
    g_pGetDpiForMonitor = nullptr;

    g_pWindowFromPhysicalPoint =
        FindExport<scaling::WindowFromPhysicalPointFn>(scaling::kUser32, "WindowFromPhysicalPoint");
    g_pGetPhysicalCursorPos =
        FindExport<scaling::GetPhysicalCursorPosFn>(scaling::kUser32, "GetPhysicalCursorPos");
    g_pLogicalToPhysicalPoint = FindExport<scaling::LogicalToPhysicalPointForPerMonitorDPIFn>(
        scaling::kUser32, "LogicalToPhysicalPointForPerMonitorDPI");
    g_pGetDpiForMonitor =
        FindExport<scaling::GetDpiForMonitorFn>(scaling::kShcore, "GetDpiForMonitor");
    g_bWin81Scaling = GetOSVersion() >= osWindows81;
}

HWND WindowFromPhysPoint(const POINT& pt) {
    auto& windows = pw::platform::GetWindows();
    scaling::WindowFromPhysicalPointFn fromPhysical = g_pWindowFromPhysicalPoint;
    if (!fromPhysical)
        return windows.WindowFromPoint(pt);
    HWND window = fromPhysical(pt);
    if (!window)
        return windows.WindowFromPoint(pt);
    POINT client = pt;
    if (!windows.ScreenToClient(window, client))
        return window;
    return windows.ChildWindowFromPointEx(window, client, pw::platform::kCwpAll);
}

int GetPhysCursorPos(POINT* pt) {
    if (!pt)
        return 0;
    if (scaling::GetPhysicalCursorPosFn physical = g_pGetPhysicalCursorPos)
        return physical(pt);
    return pw::platform::GetWindows().CursorPos(*pt) ? 1 : 0;
}

int GetLogicalCursorPos(HWND window, POINT* pt) {
    if (!pt)
        return 0;
    scaling::GetPhysicalCursorPosFn physical = g_pGetPhysicalCursorPos;
    scaling::LogicalToPhysicalPointForPerMonitorDPIFn convert = g_pLogicalToPhysicalPoint;
    if (physical && convert) {
        physical(pt);
        return convert(window, pt);
    }
    return pw::platform::GetWindows().CursorPos(*pt) ? 1 : 0;
}

int ScaleWin81CursorPos(POINT* pt) {
    if (!pt || !pw::windows::Win81Scaling())
        return 0;
    auto& windows = pw::platform::GetWindows();
    HMONITOR monitor = windows.MonitorFromPoint(*pt, pw::platform::kMonitorDefaultToNearest);
    unsigned dpiX = pw::platform::kDefaultDpi;
    unsigned dpiY = pw::platform::kDefaultDpi;
    if (scaling::GetDpiForMonitorFn dpiFor = g_pGetDpiForMonitor) {
        if (dpiFor(monitor, pw::platform::kMdtEffectiveDpi, &dpiX, &dpiY) != 0)
            dpiX = dpiY = pw::platform::kDefaultDpi;
    }
    // A monitor that reports no DPI is taken as unscaled rather than divided by zero.
    if (dpiX == 0)
        dpiX = pw::platform::kDefaultDpi;
    if (dpiY == 0)
        dpiY = pw::platform::kDefaultDpi;
    const double scaleX = dpiX / static_cast<double>(pw::platform::kDefaultDpi);
    const double scaleY = dpiY / static_cast<double>(pw::platform::kDefaultDpi);
    const POINT source = *pt;
    pt->x = static_cast<long>(source.x / scaleX);
    pt->y = static_cast<long>(source.y / scaleY);
    POINT cursor{};
    windows.CursorPos(cursor);
    CLogger::LogDebug(L"Source point %d, %d  scale %.4lf, %.4lf  Scaled %d, %d  cursor %d, %d  "
                      L"DPI %d, %d, hMon %08X",
                      static_cast<int>(source.x), static_cast<int>(source.y), scaleX, scaleY,
                      static_cast<int>(pt->x), static_cast<int>(pt->y), static_cast<int>(cursor.x),
                      static_cast<int>(cursor.y), static_cast<int>(dpiX), static_cast<int>(dpiY),
                      Low32(monitor));
    return 1;
}

int GetWin81CursorPos(POINT* pt) {
    if (!pt || !pw::windows::Win81Scaling())
        return 1;
    return pw::platform::GetWindows().CursorPos(*pt) ? 1 : 0;
}

HWND WindowFromPointEx(POINT pt, int includeHidden) {
    auto& windows = pw::platform::GetWindows();
    HWND window = nullptr;
    if (pw::windows::Win81Scaling() || !g_pWindowFromPhysicalPoint.load())
        window = windows.WindowFromPoint(pt);
    else
        window = WindowFromPhysPoint(pt);
    if (!window)
        return nullptr;
    if (!windows.IsVisible(window)) {
        window = windows.Parent(window);
        if (!window)
            return nullptr;
    }

    HWND result = pw::windows::SmallestChildAt(window, pt, includeHidden == 1);
    if (includeHidden)
        return result;
    for (; result; result = windows.Parent(result)) {
        if (windows.IsVisible(result))
            return result;
    }
    return nullptr;
}
