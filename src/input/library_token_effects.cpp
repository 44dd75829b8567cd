#include "input/library_token_effects.h"

#include "input/english_layout.h"
#include "input/send_input.h"
#include "runtime/runtime_state.h"
#include "settings/settings.h"

#include <atomic>

namespace pw::input {
namespace {

std::atomic<TokenEffects*> g_effects{nullptr};

} // namespace

void SetLibraryTokenEffects(TokenEffects* effects) {
    g_effects.store(effects, std::memory_order_release);
}

SimTokenContext LibraryTokenContext() {
    SimTokenContext context;
    context.sender = g_pSendInput;
    context.effects = g_effects.load(std::memory_order_acquire);
    ApplySettings(context, g_pSettings);
    context.keyboardMarker = reinterpret_cast<uintptr_t>(g_hKeyboardHook);
    context.mouseMarker = reinterpret_cast<uintptr_t>(g_hMouseHook);
    context.englishLayout = g_hEnglishLayout;
    context.volumeOsdWindow = g_hVolumeOSDWindow;
    return context;
}

} // namespace pw::input
