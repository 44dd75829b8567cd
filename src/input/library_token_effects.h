#pragma once

// The context the library's own sends play their tokens with, and the effects object of
// those tokens beyond input (layer switches, the momentary layer flag, brightness steps,
// the volume display). The effects belong to the layers above input, which install them
// when the library is loaded.

#include "input/sim_token_context.h"
#include "input/token_output.h"

namespace pw::input {

// Installs the effects object of the library's sends (null: none, and layer, brightness
// and display tokens do nothing).
void SetLibraryTokenEffects(TokenEffects* effects);

// g_pSendInput with the installed effects, the settings of g_pSettings, the hook handles
// as markers, the English layout and the volume display window.
SimTokenContext LibraryTokenContext();

} // namespace pw::input
