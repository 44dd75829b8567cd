#include "runtime/runtime_state.h"

#include "actions/layers.h"
#include "actions/process_button.h"
#include "hook/mouse_debounce.h"
#include "hook/mouse_hook.h"
#include "scroll/lock_axis.h"
#include "scroll/scroll_timers.h"
#include "windows/process_name.h"
#include "windows/window_from_point.h"

CSettings* g_pSettings = nullptr;
CApplicationSettings* g_pCurrentApp = nullptr;
int g_nCurrentLayer = 0;

HHOOK g_hMouseHook = nullptr;
HHOOK g_hKeyboardHook = nullptr;
HHOOK g_hFindHook = nullptr;
HWND g_hFindTarget = nullptr;

HWND g_hMainWindow = nullptr;
HWND g_hSetupWindow = nullptr;
HWND g_hVolumeOSDWindow = nullptr;
HWND g_hBrightnessOSDWindow = nullptr;

CSendInput* g_pSendInput = nullptr;
CBrightness* g_pBrightness = nullptr;
void* g_hEnglishLayout = nullptr;

int g_nInjectCount = 0;
std::array<bool, pw::hook::kButtonCount> g_bButtonDown{};
uint32_t g_dwLastInputTick = 0;
bool g_bInputSeen = false;
uint32_t g_dwHookTimeout = 0;
HWND g_hLastWindow = nullptr;
Char g_szLastProcess[pw::hook::kProcessNameLength] = {};

CLockAxis g_LockAxis;

unsigned long g_dwHookThreadId = 0;
unsigned long g_dwTimerThreadId = 0;

pw::hook::TimerId g_uKeySwitchTimer = 0;
pw::hook::TimerId g_uRepeatTimer = 0;
pw::hook::TimerId g_uActivateTimer = 0;
pw::hook::TimerId g_uAutoSwitchTimer = 0;
pw::hook::TimerId g_uMouseOverTimer = 0;
pw::hook::TimerId g_uResetHookTimer = 0;
pw::hook::TimerId g_uJigglerTimer = 0;

namespace pw::hook {

void ResetHookState() {
    g_pCurrentApp = nullptr;
    g_nCurrentLayer = 0;
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
    g_nLastQuadrant = 0;
    g_bQuadrantRestricted = false;
    g_bDownHandled.fill(false);
    g_bChordUsed.fill(false);
    g_pCurrentChord = nullptr;
    g_bLayerHeld = false;
    g_nSavedLayer = -1;
    ResetDebounce();
    ResetMouseHookState();
    pw::scroll::ClearScrollTimerData();
    pw::windows::ResetProcessNameState();
    pw::windows::ResetRealWindowCache();
}

} // namespace pw::hook
