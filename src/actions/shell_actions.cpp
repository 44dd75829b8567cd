#include "actions/action_families.h"
#include "actions/brightness.h"
#include "actions/launch_application.h"
#include "actions/web_search.h"
#include "input/library_token_effects.h"
#include "input/send_input.h"
#include "input/sim_brightness_token.h"
#include "input/sim_modifiers.h"
#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "settings/action_data.h"
#include "support/logger.h"

namespace pw::actions {
namespace {

using platform::GetShell;

constexpr int kVkSpace = 0x20;

void OpenShellFolder(const Char* parameters) {
    GetShell().Execute(L"open", L"explorer", parameters, platform::kSwShowNormal);
}

void BroadcastSysCommand(WPARAM command, LPARAM lParam) {
    platform::GetMessages().PostMessage(platform::kHwndBroadcast, platform::kWmSysCommand, command,
                                        lParam);
}

// Windows + Space held for as long as the button is.
void RevealDesktop(const ActionCall& call) {
    if (!g_pSendInput || !(call.IsDown() || call.IsUp()))
        return;
    const input::SimTokenContext context = input::LibraryTokenContext();
    int hold = 0;
    g_pSendInput->SendKeyState(kVkSpace, false, input::kModLWin, 0, false, call.IsUp(),
                               context.simKeyDelay, context.keyboardMarker, context.englishLayout,
                               hold);
}

// On the press, with the event's point; without a brightness controller nothing happens.
void StepBrightness(const ActionCall& call) {
    CBrightness* brightness = g_pBrightness;
    if (!call.IsDown() || !brightness)
        return;
    if (call.action == actBrightnessUp)
        brightness->Up(call.Point());
    else
        brightness->Down(call.Point());
}

const Char* ApplicationOf(const ActionCall& call) {
    return call.data ? call.data->GetApplication() : nullptr;
}

} // namespace

bool RunShellAction(const ActionCall& call) {
    const bool down = call.IsDown();
    const bool up = call.IsUp();
    switch (call.action) {
    case actLockWorkstation:
        if (up) {
            CLogger::LogDebug(L"Locking workstation...");
            GetShell().LockWorkStation();
        }
        return true;
    case actRunApplication:
        if (down)
            pw::LaunchApplication(ApplicationOf(call));
        return true;
    case actOpenExplorerAtFolder:
        if (down) {
            const Char* folder = ApplicationOf(call);
            CLogger::LogDebug(L"Opening explorer at folder: %ls", folder ? folder : L"");
            if (folder && *folder)
                GetShell().Execute(L"explore", folder, nullptr, platform::kSwShowNormal);
        }
        return true;
    case actOpenMyDocuments:
        if (up)
            OpenShellFolder(L"/N,::{450D8FBA-AD25-11D0-98A8-0800361B1103}");
        return true;
    case actOpenMyComputer:
        if (up)
            OpenShellFolder(L"/E,::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
        return true;
    case actOpenNetworkFavourites:
        if (up)
            OpenShellFolder(L"/N,::{208D2C60-3AEA-1069-A2D7-08002B30309D}");
        return true;
    case actOpenControlPanel:
        if (up)
            OpenShellFolder(L"/N,::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\::{21EC2020-3AEA-1069-"
                            L"A2DD-08002B30309D}");
        return true;
    case actActivateScreensaver:
        if (up) {
            CLogger::LogDebug(L"Starting screen saver...");
            BroadcastSysCommand(platform::kScScreenSave, 0);
        }
        return true;
    case actMonitorPowerSaving:
        if (up) {
            CLogger::LogDebug(L"Putting monitors to sleep...");
            BroadcastSysCommand(platform::kScMonitorPower, 2);
        }
        return true;
    case actRevealDesktop:
        RevealDesktop(call);
        return true;
    case actBrightnessUp:
    case actBrightnessDown:
        StepBrightness(call);
        return true;
    case actWebSearchSelectedText:
        if (up)
            pw::StartWebSearch();
        return true;
    default:
        return false;
    }
}

} // namespace pw::actions
