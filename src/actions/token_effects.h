#pragma once

// What the library's simulated tokens do beyond input: layer switches and the momentary
// layer flag, brightness steps and the volume display.

#include "input/token_output.h"

namespace pw::actions {

class LibraryTokenEffects final : public input::TokenEffects {
  public:
    void SwitchLayer(int layer) override;
    void SetLayerHeld(bool held) override;
    void StepBrightness(bool brighter, const POINT& pt) override;
    void ShowVolumeOsd(HWND osdWindow) override;
};

// Hands the library's effects object (it holds no state) to the key-sending entry points.
void InstallTokenEffects();

} // namespace pw::actions
