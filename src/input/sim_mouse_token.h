#pragma once

#include "input/sim_token.h"
#include "settings/mouse_buttons.h"

// A mouse button click, press or release, or a wheel or tilt step.
class CSimMouseToken final : public CSimToken {
  public:
    // Values of m_nAction.
    static constexpr int32_t kClick = 0;
    static constexpr int32_t kDown = 1;
    static constexpr int32_t kUp = 2;

    int Execute(const pw::input::SimTokenContext& context, int mode) override;
    int ExecutePhase(const pw::input::SimTokenContext& context, bool isUp) override;

    MouseButtons m_nButton = mbLeft;
    int32_t m_nAction = kClick;
    POINT m_pt = {0, 0};

  private:
    int Send(const pw::input::SimTokenContext& context, int action) const;
    // Modifiers down, the button down and up, modifiers up.
    int Click(const pw::input::SimTokenContext& context) const;
};
