#pragma once

#include "input/sim_token.h"

// A layer switch; played by phase it is momentary: back to the previous layer at the
// release.
class CSimLayerToken final : public CSimToken {
  public:
    int Execute(const pw::input::SimTokenContext& context, int mode) override;
    int ExecutePhase(const pw::input::SimTokenContext& context, bool isUp) override;

    int32_t m_nLayer = 0;         // 0-based
    int32_t m_nPreviousLayer = 0; // current in the parse before this token
};
