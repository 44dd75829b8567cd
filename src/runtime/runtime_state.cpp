#include "runtime/runtime_state.h"

CApplicationSettings* g_pCurrentApp = nullptr;
int g_nCurrentLayer = 0;
bool g_bLayerHeld = false;
int g_nSavedLayer = -1;

HHOOK g_hMouseHook = nullptr;
HHOOK g_hKeyboardHook = nullptr;
HHOOK g_hFindHook = nullptr;
HWND g_hFindTarget = nullptr;

HWND g_hMainWindow = nullptr;
HWND g_hSetupWindow = nullptr;
HWND g_hVolumeOSDWindow = nullptr;
HWND g_hBrightnessOSDWindow = nullptr;

int g_nInjectCount = 0;
std::array<bool, pw::runtime::kButtonCount> g_bButtonDown{};
uint32_t g_dwLastInputTick = 0;
bool g_bInputSeen = false;
uint32_t g_dwHookTimeout = 0;

HWND g_hLastWindow = nullptr;
Char g_szLastProcess[pw::runtime::kProcessNameLength] = {};
bool g_bModernApp = false;

unsigned long g_dwHookThreadId = 0;
unsigned long g_dwTimerThreadId = 0;

pw::runtime::TimerId g_uKeySwitchTimer = 0;
pw::runtime::TimerId g_uRepeatTimer = 0;
pw::runtime::TimerId g_uActivateTimer = 0;
pw::runtime::TimerId g_uAutoSwitchTimer = 0;
pw::runtime::TimerId g_uMouseOverTimer = 0;
pw::runtime::TimerId g_uResetHookTimer = 0;
pw::runtime::TimerId g_uJigglerTimer = 0;

namespace pw::runtime {

void ResetRuntimeState() {
    g_pCurrentApp = nullptr;
    g_nCurrentLayer = 0;
    g_bLayerHeld = false;
    g_nSavedLayer = -1;
    g_hMouseHook = nullptr;
    g_hKeyboardHook = nullptr;
    g_hMainWindow = nullptr;
    g_hVolumeOSDWindow = nullptr;
    g_hBrightnessOSDWindow = nullptr;
    g_hLastWindow = nullptr;
    g_szLastProcess[0] = 0;
    g_nInjectCount = 0;
    g_bButtonDown.fill(false);
    g_dwLastInputTick = 0;
    g_bInputSeen = false;
    g_dwHookTimeout = 0;
    g_bModernApp = false;
    g_uKeySwitchTimer = 0;
    g_uRepeatTimer = 0;
    g_uActivateTimer = 0;
    g_uAutoSwitchTimer = 0;
    g_uMouseOverTimer = 0;
    g_uResetHookTimer = 0;
    g_uJigglerTimer = 0;
}

} // namespace pw::runtime
