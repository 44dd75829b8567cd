#pragma once

// Test views of simulated tokens: a compact text of a parsed list, and a sink that
// records what tokens play and which keys and buttons that leaves held.

#include "input/sim_token.h"
#include "input/sim_token_list.h"
#include "input/token_output.h"

#include <set>
#include <string>
#include <vector>

namespace pw::test {

// One word per token, separated by blanks:
//   key    k<vk hex>[/<scan hex>][u unicode][x extended][! one-shot][m<modifiers hex>]
//   mouse  mouse<button>.<action>[!]   cursor cur<mode>:<value>   wait wait<ms>
//   layer  layer<layer><<previous>     brightness bri<direction>
// followed by p<press mode> and h<hold ms> where they are not 0.
std::string DumpTokens(const SimTokenList& tokens);

class TokenRecorder final : public input::TokenOutput, public input::TokenEffects {
  public:
    bool SendKeyState(int virtualKey, bool extended, uint32_t modifiers, uint32_t scanCode,
                      bool unicode, bool release, unsigned delay, uintptr_t extraInfo,
                      pw::platform::KeyboardLayoutHandle layout, int& holdTime) override;
    int SendMouse(MouseButtons button, int action, const POINT& pt, unsigned delay, bool razorMouse,
                  bool officeMouse, uintptr_t extraInfo, int holdTime) override;
    bool SendPositionThreaded(int value, int mode) override;
    bool SendInputDelay(unsigned ms, uint32_t time) override;
    void SwitchLayer(int layer) override;
    void SetLayerHeld(bool held) override;
    void StepBrightness(bool brighter, const POINT& pt) override;
    void ShowVolumeOsd(HWND osdWindow) override;

    // The calls so far, one word each, separated by blanks; cleared by the call.
    std::string Take();
    // Keys (by virtual key, modifiers by their left or right key) and buttons still down.
    const std::set<std::string>& Held() const { return held_; }

    input::SimTokenContext Context();

  private:
    void Add(const std::string& word);
    std::vector<std::string> calls_;
    std::set<std::string> held_;
};

} // namespace pw::test
