#include "actions/layers.h"

#include "actions/action_state.h"
#include "actions/button_processing.h"
#include "actions/sticky_keys.h"
#include "platform/platform.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"
#include "runtime/thread_timers.h"
#include "settings/application_settings.h"
#include "settings/settings.h"
#include "support/logger.h"
#include "support/thread_lock.h"
#include "windows/window_from_point.h"

namespace {

constexpr int kAllLayers = 10;
constexpr int kStickyKeyRepeat = 5;
// Next and previous cycle between two layers when there are no settings to say more.
constexpr int kLayersWithoutSettings = 2;

int LayersToCycle() {
    return g_pSettings ? g_pSettings->MaxLayers() : kLayersWithoutSettings;
}

bool IsDisabled(int layer) {
    return g_pCurrentApp && g_pCurrentApp->GetLayerDisabled(layer);
}

// The layer after (step 1) or before (step -1) layer among count layers, wrapping only
// at the ends of that range: from a layer at or past count (the number of layers was
// lowered) the step leads further up and is refused by ChangeLayer.
int AdjacentLayer(int layer, int step, int count) {
    const int adjacent = layer + step;
    if (step > 0 && adjacent == count)
        return 0;
    if (step < 0 && adjacent < 0)
        return count - 1;
    return adjacent;
}

// The first layer in use from the current one in direction step, skipping the current
// profile's disabled layers; the current layer when every other one is disabled.
int FindLayerInUse(int step) {
    const int count = LayersToCycle();
    // No layer in use (a settings file may say 0): nothing to step to.
    if (count <= 0)
        return g_nCurrentLayer;
    int layer = AdjacentLayer(g_nCurrentLayer, step, count);
    // Every layer is visited at most once; layers past the last one are never disabled.
    for (int tries = 0; tries < kAllLayers && IsDisabled(layer); ++tries) {
        if (layer == g_nCurrentLayer)
            return layer;
        layer = AdjacentLayer(layer, step, count);
    }
    return layer;
}

void SwitchToLayerInUse(int step, const Char* lockName) {
    CThreadLock lock(lockName);
    const int layer = FindLayerInUse(step);
    if (layer == g_nCurrentLayer)
        return;
    SetCurrentLayer(layer, true, true, true);
    if (CLogger::DebugEnabled())
        pw::platform::GetShell().Beep(0);
}

// Whether a request for layer is refused (no settings, or past the last layer), with
// the line that says so.
bool RefusesLayer(int layer) {
    if (!g_pSettings) {
        CLogger::LogMessage(L"Unable to change layer - settings object is not initialised");
        return true;
    }
    const int max = g_pSettings->MaxLayers();
    if (layer < max)
        return false;
    CLogger::LogMessage(L"Attempting to activate layer %d which is greater than Max layers "
                        L"(%d)",
                        layer, max);
    return true;
}

} // namespace

void pw::ChangeLayer(int layer, bool notify) {
    CThreadLock lock(L"ChangeLayer");
    if (RefusesLayer(layer))
        return;
    POINT pt{};
    GetPhysCursorPos(&pt);
    pw::ResetDuringKeys(pt);
    if (g_pSettings->get_ResetStickyOnLayerChange() && pw::AnyStickyActive())
        pw::ResetAllSticky(pt);
    pw::KillThreadTimer(pw::runtime::kRepeatTimer);
    // The repeat that a sticky repeat drove has just stopped, so the sticky state ends too.
    if (g_nStickyState[kStickyKeyRepeat])
        pw::ResetSticky(pt, kStickyKeyRepeat, g_nCurrentLayer, -1);
    g_nCurrentLayer = layer;
    pw::LayerNotify(notify);
}

void pw::LayerNotify(bool notify) {
    CThreadLock lock(L"LayerNotify");
    const bool show = notify && (!g_pSettings || g_pSettings->NotificationsLayer());
    CLogger::LogDebug(L"Setting current layer to %d.", g_nCurrentLayer);
    if (g_nCurrentLayer < 0) {
        CLogger::LogMessage(L"ERROR: The current layer is being changed to %d. This should not "
                            L"happen. Please report this to the author! Ignoring layer request!",
                            g_nCurrentLayer);
        g_nCurrentLayer = 0;
    }
    auto& messages = pw::platform::GetMessages();
    const unsigned message = pw::runtime::Messages().layerChanged;
    const WPARAM layer = static_cast<WPARAM>(g_nCurrentLayer);
    if (pw::actions::SetupWindowLives())
        messages.PostMessage(g_hSetupWindow, message, layer, show ? 1 : 0);
    if (g_hMainWindow)
        messages.PostMessage(g_hMainWindow, message, layer, show ? 1 : 0);
}

void SetCurrentLayer(int layer, bool notify, bool autoSwitch, bool saveLayer) {
    CThreadLock lock(L"SetCurrentLayer");
    // A refused layer changes nothing: the saved layer and a pending switch-back stay, so
    // a {LAYER:n} past the last layer, played again and again, cannot hold the switch off.
    if (RefusesLayer(layer))
        return;
    if (saveLayer)
        g_nSavedLayer = g_nCurrentLayer;
    pw::ChangeLayer(layer, notify);
    pw::KillThreadTimer(pw::runtime::kAutoSwitchTimer);
    if (!autoSwitch || !g_pCurrentApp || g_nCurrentLayer <= 0)
        return;
    const int target = g_pCurrentApp->GetAutoSwitchLayer(g_nCurrentLayer);
    const int seconds = g_pCurrentApp->GetAutoSwitchTime(g_nCurrentLayer);
    if (target <= 0)
        return;
    CLogger::LogDebug(L"Enabling Auto Switching to layer %d after %d seconds.", target - 1,
                      seconds);
    const unsigned period = seconds > 0 ? static_cast<unsigned>(seconds) * 1000u : 0u;
    if (const uintptr_t id =
            pw::SetThreadTimer(pw::runtime::kAutoSwitchTimer, period, pw::AutoSwitchTimerProc))
        g_uAutoSwitchTimer = id;
}

void pw::AutoSwitchTimerProc(HWND, unsigned, uintptr_t id, unsigned long) {
    CThreadLock lock(L"AutoSwitchTimerProc");
    const uintptr_t expected = g_uAutoSwitchTimer;
    auto& timers = pw::platform::GetTimers();
    timers.KillTimer(expected);
    if (id != expected) {
        CLogger::LogMessage(L"AutoSwitchTimerProc: Unexpected timer ID 0x%08X (0x%08X)",
                            static_cast<unsigned>(id), static_cast<unsigned>(expected));
        timers.KillTimer(id);
    }
    g_uAutoSwitchTimer = 0;
    if (!g_pCurrentApp || g_nCurrentLayer <= 0)
        return;
    const int target = g_pCurrentApp->GetAutoSwitchLayer(g_nCurrentLayer) - 1;
    CLogger::LogMessage(L"Auto switching to layer %d.", target);
    SetCurrentLayer(target, true, target != 0, true);
}

int GetCurrentLayer() {
    pw::ScopedTryLock lock(L"GetCurrentLayer");
    if (!lock.Held()) {
        CLogger::LogDebug(L"Unable to enter critical section in %ls hook as it is locked by '%ls'",
                          L"GetCurrentLayer", CThreadLock::OwnerName());
        return 0;
    }
    return g_nCurrentLayer;
}

const wchar_t* GetCurrentLayername(int layer) {
    CThreadLock lock(L"GetCurrentLayername");
    return g_pCurrentApp ? g_pCurrentApp->GetLayerName(layer) : nullptr;
}

void NextLayer() {
    SwitchToLayerInUse(1, L"NextLayer");
}

void PreviousLayer() {
    SwitchToLayerInUse(-1, L"PreviousLayer");
}

int MaxLayers() {
    return g_pSettings ? g_pSettings->MaxLayers() : kAllLayers;
}

bool LeftClickCycleLayer() {
    return g_pSettings && g_pSettings->LeftClickCycleLayers();
}
