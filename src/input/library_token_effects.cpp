#include "input/library_token_effects.h"

#include "actions/layers.h"
#include "hook/hook_state.h"
#include "hook/registered_messages.h"
#include "input/send_input.h"
#include "platform/platform.h"

namespace pw::input {

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
        platform::GetMessages().PostMessage(osdWindow, hook::Messages().osdShowWindow, 0, 0);
}

LibraryTokenEffects& LibraryEffects() {
    static LibraryTokenEffects effects;
    return effects;
}

SimTokenContext LibraryTokenContext() {
    SimTokenContext context;
    context.sender = g_pSendInput;
    context.effects = &LibraryEffects();
    ApplySettings(context, g_pSettings);
    context.keyboardMarker = reinterpret_cast<uintptr_t>(g_hKeyboardHook);
    context.mouseMarker = reinterpret_cast<uintptr_t>(g_hMouseHook);
    context.englishLayout = g_hEnglishLayout;
    context.volumeOsdWindow = g_hVolumeOSDWindow;
    return context;
}

} // namespace pw::input
