#include "actions/brightness.h"

#include "platform/monitor_brightness.h"
#include "platform/platform.h"
#include "runtime/registered_messages.h"
#include "support/logger.h"

#include <algorithm>

using pw::platform::WmiStep;

unsigned CBrightness::OSD_SHOW_WINDOW = 0;

namespace {

constexpr int kStepPercent = 10;

// The log line of the step at which a management call failed.
const Char* FailureText(WmiStep step) {
    switch (step) {
    case WmiStep::CreateLocator:
        return L"Brightness: Failed to create CLSID_WbemLocator";
    case WmiStep::Connect:
        return L"Brightness: Failed to connect to WMI server";
    case WmiStep::SetProxyBlanket:
        return L"Brightness: Failed to set proxy blanket";
    case WmiStep::ExecQuery:
        return L"Brightness: Failed to execute WMI query";
    case WmiStep::NoInstance:
        return L"Brightness: Failed to find a monitor with brightness control";
    case WmiStep::GetValue:
        return L"Brightness: Failed to get value of CurrentBrightness";
    case WmiStep::GetMethod:
        return L"Brightness: Failed to get method WmiSetBrightness";
    case WmiStep::SpawnArguments:
        return L"Brightness: Failed to create the arguments of WmiSetBrightness";
    case WmiStep::PutTimeout:
        return L"Brightness: Failed to set argument Timeout";
    case WmiStep::PutBrightness:
        return L"Brightness: Failed to set argument Brightness";
    case WmiStep::ExecMethod:
        return L"Brightness: Failed to execute method WmiSetBrightness";
    case WmiStep::None:
        break;
    }
    return L"Brightness: Failed to reach the management service";
}

void LogFailure(WmiStep step, int32_t result) {
    CLogger::LogOSMessage(static_cast<uint32_t>(result), L"%ls", FailureText(step));
}

} // namespace

CBrightness::CBrightness(HWND osdWindow) : m_hOSDWindow(osdWindow) {
    OSD_SHOW_WINDOW = pw::runtime::Messages().osdShowWindow;
    const int32_t result = pw::platform::GetMonitorBrightness().InitializeCom();
    if (result < 0) {
        CLogger::LogOSMessage(static_cast<uint32_t>(result),
                              L"Brightness: Unable to initialise COM");
        return;
    }
    m_bComInitialised = true;
}

CBrightness::~CBrightness() {
    if (m_bComInitialised)
        pw::platform::GetMonitorBrightness().UninitializeCom();
}

void CBrightness::SetOSD(HWND osdWindow) {
    m_hOSDWindow = osdWindow;
}

int CBrightness::GetBrightness() {
    int percent = 0;
    int32_t result = 0;
    const WmiStep failed = pw::platform::GetMonitorBrightness().Read(percent, result);
    if (failed != WmiStep::None) {
        LogFailure(failed, result);
        return -1;
    }
    return percent;
}

bool CBrightness::SetBrightness(int percent) {
    int32_t result = 0;
    const WmiStep failed = pw::platform::GetMonitorBrightness().Write(percent, result);
    if (failed != WmiStep::None) {
        LogFailure(failed, result);
        return false;
    }
    return true;
}

void CBrightness::Up(const POINT&) {
    Step(kStepPercent);
}

void CBrightness::Down(const POINT&) {
    Step(-kStepPercent);
}

void CBrightness::Step(int delta) {
    const int current = GetBrightness();
    CLogger::LogDebug(L"Brightness: GetBrightness returned %d", current);
    if (current < 0) {
        ShowOsd(kFailed);
        return;
    }
    const int level = std::clamp(current + delta, 0, 100);
    if (!SetBrightness(level)) {
        ShowOsd(level + kFailed);
        CLogger::LogMessage(L"Brightness: Failed to set brightness to %d", level);
        return;
    }
    ShowOsd(level);
}

void CBrightness::ShowOsd(LPARAM lParam) {
    if (HWND window = m_hOSDWindow.load())
        pw::platform::GetMessages().PostMessage(window, OSD_SHOW_WINDOW, 1, lParam);
}
