#include "actions/action_families.h"
#include "actions/button_processing.h"
#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "support/logger.h"
#include "windows/profile_matching.h"

namespace pw::actions {
namespace {

using platform::GetWindows;

constexpr unsigned long kCaptionStyle = 0x00C00000;

bool HasCaption(HWND window) {
    return window && (GetWindows().WindowLong(window, platform::kGwlStyle) & kCaptionStyle) != 0;
}

// The active window of the thread that owns the last window, when it has a caption;
// else the last window's root when that has one.
HWND GetWindowToClose() {
    auto& windows = GetWindows();
    const unsigned long thread = windows.ThreadProcessId(g_hLastWindow, nullptr);
    platform::GuiThreadWindows gui;
    if (thread && windows.GuiThreadInfo(thread, gui) && HasCaption(gui.active))
        return gui.active;
    HWND root = windows.Ancestor(g_hLastWindow, platform::kGaRoot);
    return HasCaption(root) ? root : nullptr;
}

bool RunClose(const ActionCall& call) {
    if (!call.IsDown())
        return false;
    HWND target = GetWindowToClose();
    if (target) {
        CLogger::LogDebug(L"Attempting to close window %08X", Low32(target));
        platform::GetMessages().PostMessage(target, platform::kWmSysCommand, platform::kScClose, 0);
    }
    return true;
}

struct ShowCommand {
    int show;
    WPARAM command;
    const Char* failure;
};

void RunShowCommand(const ActionCall& call, const ShowCommand& show) {
    HWND target = windows::GetMinMaxRestoreWnd(call.hwnd, show.show);
    if (!target) {
        CLogger::LogDebug(show.failure, Low32(call.hwnd));
        return;
    }
    const POINT pt = call.Point();
    const LPARAM where = static_cast<LPARAM>((static_cast<uint32_t>(pt.x) & 0xFFFF) |
                                             ((static_cast<uint32_t>(pt.y) & 0xFFFF) << 16));
    platform::GetMessages().SendMessage(target, platform::kWmSysCommand, show.command, where);
    if (show.show == platform::kSwMaximize)
        GetWindows().ShowWindow(target, platform::kSwMaximize);
}

} // namespace

bool RunWindowCommandAction(const ActionCall& call) {
    switch (call.action) {
    case actClose:
        return RunClose(call);
    case actMaximizeWindow:
        if (call.IsUp())
            RunShowCommand(call, {platform::kSwMaximize, platform::kScMaximize,
                                  L"Unable to maximize window 0x%08X as it does not have the "
                                  L"correct style."});
        return true;
    case actMinimizeWindow:
        if (call.IsUp())
            RunShowCommand(call, {platform::kSwMinimize, platform::kScMinimize,
                                  L"Unable to minimize window 0x%08X as it does not have the "
                                  L"correct style."});
        return true;
    case actRestoreWindow:
        if (call.IsDown())
            RunShowCommand(call, {platform::kSwRestore, platform::kScRestore,
                                  L"Unable to restore window 0x%08X as it does not have the "
                                  L"correct style."});
        return true;
    default:
        return false;
    }
}

} // namespace pw::actions
