#include "actions/action_families.h"
#include "actions/action_state.h"
#include "actions/button_processing.h"
#include "input/send_keys.h"
#include "input/sim_modifiers.h"
#include "platform/platform.h"
#include "support/logger.h"

namespace pw::actions {
namespace {

constexpr int kVkAdd = 0x6B;
constexpr int kVkSubtract = 0x6D;

HWND FindMagnifierWindow() {
    auto& windows = platform::GetWindows();
    HWND window = windows.FindTopLevel(L"MagUIClass");
    return window ? window : windows.FindTopLevel(L"MagUIIconClass");
}

void LaunchMagnifier() {
    platform::GetShell().Execute(L"open", L"magnify.exe", nullptr, platform::kSwShowNormal);
}

void Toggle() {
    if (HWND window = FindMagnifierWindow()) {
        CLogger::LogDebug(L"ToggleMagnifier: Found magnifier window: 0x%08X", Low32(window));
        platform::GetMessages().PostMessage(window, platform::kWmQuit, 0, 0);
        return;
    }
    CLogger::LogDebug(L"ToggleMagnifier: Launch magnifier");
    LaunchMagnifier();
}

// A zoom before the magnifier runs starts it; the zoom after that only forgets the
// launch, so that a magnifier still starting up is not started twice.
void Zoom(bool in) {
    HWND window = FindMagnifierWindow();
    if (in && !window && !g_bMagnifierLaunched) {
        CLogger::LogDebug(L"Magnifier: Launch magnifier");
        LaunchMagnifier();
        g_bMagnifierLaunched = true;
        CLogger::LogDebug(L"ToggleMagnifier: Launch magnifier");
        return;
    }
    g_bMagnifierLaunched = false;
    if (window)
        pw::SendKey(in ? kVkAdd : kVkSubtract, false, input::kModLWin, 0);
    else
        CLogger::LogDebug(L"ToggleMagnifier: Launch magnifier");
}

} // namespace

bool RunMagnifierAction(const ActionCall& call) {
    if (!call.IsDown())
        return true;
    switch (call.action) {
    case actMagnifierToggle:
        Toggle();
        return true;
    case actMagnifierZoomIn:
        Zoom(true);
        return true;
    case actMagnifierZoomOut:
        Zoom(false);
        return true;
    default:
        return false;
    }
}

} // namespace pw::actions
