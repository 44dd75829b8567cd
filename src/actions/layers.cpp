#include "actions/layers.h"

#include "hook/hook_state.h"
#include "hook/registered_messages.h"
#include "platform/platform.h"
#include "settings/mouse_buttons.h"
#include "support/logger.h"
#include "support/thread_lock.h"

bool g_bLayerHeld = false;
int g_nSavedLayer = -1;

// Only the layer switch and its announcement so far; limits and sticky resets follow
// with the layer settings.
void ChangeLayer(int layer, bool notify) {
    CThreadLock lock(L"ChangeLayer");
    if (!pw::settings::IsValidLayer(layer)) {
        CLogger::LogMessage(L"ChangeLayer: Ignoring invalid layer %d.", layer);
        return;
    }
    g_nCurrentLayer = layer;
    if (g_hMainWindow)
        pw::platform::GetMessages().PostMessage(g_hMainWindow, pw::hook::Messages().layerChanged,
                                                static_cast<WPARAM>(layer), notify ? 1 : 0);
}
