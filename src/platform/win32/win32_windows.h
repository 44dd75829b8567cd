#pragma once

#include "platform/platform.h"

namespace pw::win32 {

class Win32Windows final : public platform::Windows {
  public:
    HWND WindowFromPoint(POINT point) override;
    HWND ChildWindowFromPointEx(HWND parent, POINT clientPoint, unsigned flags) override;
    bool ScreenToClient(HWND window, POINT& point) override;
    HWND Parent(HWND window) override;
    HWND Ancestor(HWND window, unsigned kind) override;
    HWND Related(HWND window, unsigned relation) override;
    void EnumerateChildren(HWND parent, EnumProc proc, intptr_t param) override;
    int ClassName(HWND window, Char* buffer, int capacity) override;
    int WindowText(HWND window, Char* buffer, int capacity) override;
    int InternalWindowText(HWND window, Char* buffer, int capacity) override;
    bool TextLengthWithTimeout(HWND window, unsigned timeoutMs, size_t& length) override;
    bool TextWithTimeout(HWND window, Char* buffer, size_t capacity, unsigned timeoutMs,
                         size_t& copied) override;
    unsigned long ThreadProcessId(HWND window, unsigned long* processId) override;
    bool WindowRect(HWND window, RECT& rect) override;
    bool IsVisible(HWND window) override;
    bool Exists(HWND window) override;
    unsigned long WindowLong(HWND window, int index) override;
    HWND ForegroundWindow() override;
    bool GuiThreadInfo(unsigned long threadId, platform::GuiThreadWindows& windows) override;
    bool CursorPos(POINT& point) override;
    bool SetCursorPos(POINT point) override;
    HMONITOR MonitorFromPoint(POINT point, unsigned long flags) override;
    void PrimaryScreenSize(int& width, int& height) override;
    HWND FindTopLevel(const Char* className) override;
    bool ShowWindow(HWND window, int command) override;
    bool ScrollInfo(HWND window, int bar, platform::ScrollRange& range) override;
    void SwitchToThisWindow(HWND window, bool altTab) override;
};

} // namespace pw::win32
