#pragma once

// What simulated tokens do to the library beyond input: layer switches, the momentary
// layer flag, brightness steps and the volume display. And the context the library's
// own sends play their tokens with.

#include "input/sim_token_context.h"
#include "input/token_output.h"

namespace pw::input {

class LibraryTokenEffects final : public TokenEffects {
  public:
    void SwitchLayer(int layer) override;
    void SetLayerHeld(bool held) override;
    void StepBrightness(bool brighter, const POINT& pt) override;
    void ShowVolumeOsd(HWND osdWindow) override;
};

// The library's effects object (it holds no state).
LibraryTokenEffects& LibraryEffects();

// g_pSendInput with the library's effects, the settings of g_pSettings, the hook handles
// as markers, the English layout and the volume display window.
SimTokenContext LibraryTokenContext();

} // namespace pw::input
