#include "windows/focus_window.h"

#include "platform/platform.h"

HWND pw::windows::FocusWindowOfForeground() {
    platform::Windows& windows = platform::GetWindows();
    const HWND foreground = windows.ForegroundWindow();
    const unsigned long thread = windows.ThreadProcessId(foreground, nullptr);
    platform::GuiThreadWindows gui;
    if (thread && windows.GuiThreadInfo(thread, gui) && gui.focus)
        return gui.focus;
    return foreground;
}
