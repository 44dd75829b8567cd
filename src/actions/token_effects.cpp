#include "actions/token_effects.h"

#include "actions/brightness.h"
#include "actions/layers.h"
#include "input/library_token_effects.h"
#include "input/sim_brightness_token.h"
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

// Without a brightness controller (the hook thread has not created one) nothing happens.
void LibraryTokenEffects::StepBrightness(bool brighter, const POINT& pt) {
    CBrightness* brightness = g_pBrightness;
    if (!brightness)
        return;
    if (brighter)
        brightness->Up(pt);
    else
        brightness->Down(pt);
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
