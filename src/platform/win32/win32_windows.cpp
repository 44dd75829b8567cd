#include "platform/win32/win32_api.h"

#include "platform/win32/win32_windows.h"

namespace pw::win32 {

namespace {

struct Enumeration {
    platform::Windows::EnumProc proc;
    intptr_t param;
};

BOOL CALLBACK EnumerateOne(HWND window, LPARAM param) {
    auto* enumeration = reinterpret_cast<Enumeration*>(param);
    return enumeration->proc(window, enumeration->param) ? TRUE : FALSE;
}

} // namespace

HWND Win32Windows::WindowFromPoint(POINT point) {
    return ::WindowFromPoint(point);
}

HWND Win32Windows::ChildWindowFromPointEx(HWND parent, POINT clientPoint, unsigned flags) {
    return ::ChildWindowFromPointEx(parent, clientPoint, flags);
}

bool Win32Windows::ScreenToClient(HWND window, POINT& point) {
    return ::ScreenToClient(window, &point) != FALSE;
}

HWND Win32Windows::Parent(HWND window) {
    return ::GetParent(window);
}

HWND Win32Windows::Ancestor(HWND window, unsigned kind) {
    return ::GetAncestor(window, kind);
}

HWND Win32Windows::Related(HWND window, unsigned relation) {
    return ::GetWindow(window, relation);
}

void Win32Windows::EnumerateChildren(HWND parent, EnumProc proc, intptr_t param) {
    if (!proc)
        return;
    Enumeration enumeration{proc, param};
    ::EnumChildWindows(parent, EnumerateOne, reinterpret_cast<LPARAM>(&enumeration));
}

int Win32Windows::ClassName(HWND window, Char* buffer, int capacity) {
    if (!buffer || capacity <= 0)
        return 0;
    buffer[0] = 0;
    return ::GetClassNameW(window, buffer, capacity);
}

int Win32Windows::WindowText(HWND window, Char* buffer, int capacity) {
    if (!buffer || capacity <= 0)
        return 0;
    buffer[0] = 0;
    return ::GetWindowTextW(window, buffer, capacity);
}

int Win32Windows::InternalWindowText(HWND window, Char* buffer, int capacity) {
    if (!buffer || capacity <= 0)
        return 0;
    buffer[0] = 0;
    return ::InternalGetWindowText(window, buffer, capacity);
}

bool Win32Windows::TextLengthWithTimeout(HWND window, unsigned timeoutMs, size_t& length) {
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, timeoutMs,
                               &result))
        return false;
    length = static_cast<size_t>(result);
    return true;
}

bool Win32Windows::TextWithTimeout(HWND window, Char* buffer, size_t capacity, unsigned timeoutMs,
                                   size_t& copied) {
    if (!buffer || capacity == 0)
        return false;
    buffer[0] = 0;
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXT, capacity, reinterpret_cast<LPARAM>(buffer),
                               SMTO_ABORTIFHUNG, timeoutMs, &result))
        return false;
    // A window may answer with more than it was asked for; never trust it past the end.
    copied = result < capacity ? static_cast<size_t>(result) : capacity - 1;
    buffer[copied] = 0;
    return true;
}

unsigned long Win32Windows::ThreadProcessId(HWND window, unsigned long* processId) {
    DWORD process = 0;
    DWORD thread = ::GetWindowThreadProcessId(window, &process);
    if (processId)
        *processId = process;
    return thread;
}

bool Win32Windows::WindowRect(HWND window, RECT& rect) {
    return ::GetWindowRect(window, &rect) != FALSE;
}

bool Win32Windows::IsVisible(HWND window) {
    return ::IsWindowVisible(window) != FALSE;
}

bool Win32Windows::Exists(HWND window) {
    return ::IsWindow(window) != FALSE;
}

unsigned long Win32Windows::WindowLong(HWND window, int index) {
    return static_cast<unsigned long>(::GetWindowLongW(window, index));
}

HWND Win32Windows::ForegroundWindow() {
    return ::GetForegroundWindow();
}

bool Win32Windows::GuiThreadInfo(unsigned long threadId, platform::GuiThreadWindows& windows) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(threadId, &info))
        return false;
    windows.active = info.hwndActive;
    windows.focus = info.hwndFocus;
    return true;
}

bool Win32Windows::CursorPos(POINT& point) {
    return ::GetCursorPos(&point) != FALSE;
}

bool Win32Windows::SetCursorPos(POINT point) {
    return ::SetCursorPos(point.x, point.y) != FALSE;
}

HMONITOR Win32Windows::MonitorFromPoint(POINT point, unsigned long flags) {
    return ::MonitorFromPoint(point, flags);
}

void Win32Windows::PrimaryScreenSize(int& width, int& height) {
    width = GetSystemMetrics(SM_CXSCREEN);
    height = GetSystemMetrics(SM_CYSCREEN);
}

} // namespace pw::win32

namespace pw::win32 {

HWND Win32Windows::FindTopLevel(const Char* className) {
    return className ? ::FindWindowW(className, nullptr) : nullptr;
}

bool Win32Windows::ShowWindow(HWND window, int command) {
    return ::ShowWindow(window, command) != FALSE;
}

bool Win32Windows::ScrollInfo(HWND window, int bar, platform::ScrollRange& range) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS;
    if (!::GetScrollInfo(window, bar, &info))
        return false;
    range = platform::ScrollRange{info.nMin, info.nMax, info.nPos};
    return true;
}

void Win32Windows::SwitchToThisWindow(HWND window, bool altTab) {
    ::SwitchToThisWindow(window, altTab ? TRUE : FALSE);
}

} // namespace pw::win32
