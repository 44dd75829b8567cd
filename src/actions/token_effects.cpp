#include "actions/token_effects.h"

#include "actions/layers.h"
#include "input/library_token_effects.h"
#include "platform/platform.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"

namespace pw::actions {

// Like the next and previous actions: a pending switch-back is stopped, and the layer
// reached arms its own.
void LibraryTokenEffects::SwitchLayer(int layer) {
    SetCurrentLayer(layer, false, true, false);
}

void LibraryTokenEffects::SetLayerHeld(bool held) {
    g_bLayerHeld = held;
}

void LibraryTokenEffects::StepBrightness(bool, const POINT&) {
    // The monitor brightness control (g_pBrightness) is not built yet, so it is never
    // set, and a step without it does nothing.
}

void LibraryTokenEffects::ShowVolumeOsd(HWND osdWindow) {
    if (osdWindow)
        platform::GetMessages().PostMessage(osdWindow, runtime::Messages().osdShowWindow, 0, 0);
}

void InstallTokenEffects() {
    static LibraryTokenEffects effects;
    input::SetLibraryTokenEffects(&effects);
}

} // namespace pw::actions
