#include "actions/action_state.h"
#include "actions/button_processing.h"
#include "actions/process_button.h"
#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/thread_lock.h"
#include "windows/profile_matching.h"
#include "windows/window_from_point.h"

namespace pw::actions {

namespace {

EventWindow WindowUnderCursor(POINT pt) {
    EventWindow window;
    window.hwnd = RealWindowFromPoint(pt);
    if (!window.hwnd)
        window.hwnd = g_hLastWindow;
    platform::GetWindows().ThreadProcessId(window.hwnd, &window.pid);
    return window;
}

// The foreground window's process, and the focus window of its thread when it has one.
EventWindow FocusWindow() {
    auto& windows = platform::GetWindows();
    EventWindow window;
    window.hwnd = windows.ForegroundWindow();
    unsigned long thread = windows.ThreadProcessId(window.hwnd, &window.pid);
    platform::GuiThreadWindows gui;
    if (thread && windows.GuiThreadInfo(thread, gui) && gui.focus)
        window.hwnd = gui.focus;
    return window;
}

// A page title or document name in the caption may choose another profile for the same
// window; the lookup that follows stores the new caption.
bool CaptionChanged(HWND window) {
    if (!g_pSettings || !g_pSettings->HasCaptionProfiles())
        return false;
    String caption;
    if (!windows::GetWindowCaption(window, g_szLastProcess, &caption) ||
        caption == g_strLastCaption)
        return false;
    CLogger::LogDebug(L"ProcessButton: Window caption has changed from '%ls' to '%ls'",
                      g_strLastCaption.c_str(), caption.c_str());
    return true;
}

} // namespace

EventWindow ChooseEventWindow(POINT pt) {
    PW_ASSERT_LOCK_HELD();
    bool underCursor = g_pSettings && g_pSettings->SwitchOnMouseOver();
    EventWindow window = underCursor ? WindowUnderCursor(pt) : FocusWindow();
    if (window.hwnd != g_hLastWindow)
        return window;
    window.captionChanged = CaptionChanged(window.hwnd);
    if (!g_bQuadrantsUsed)
        return window;
    int quadrant = windows::GetWindowQuadrant(window.hwnd, &pt);
    if (quadrant != g_nLastQuadrant) {
        window.quadrantChanged = true;
        CLogger::LogDebug(L"ProcessButton: Quadrant changed from %d to %d", g_nLastQuadrant,
                          quadrant);
    }
    g_nLastQuadrant = quadrant;
    return window;
}

} // namespace pw::actions
