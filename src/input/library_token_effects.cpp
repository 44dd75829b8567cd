#include "input/library_token_effects.h"

#include "actions/layers.h"
#include "input/send_input.h"
#include "platform/platform.h"
#include "runtime/registered_messages.h"
#include "runtime/runtime_state.h"

namespace pw::input {

void LibraryTokenEffects::SwitchLayer(int layer) {
    ChangeLayer(layer, false);
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
