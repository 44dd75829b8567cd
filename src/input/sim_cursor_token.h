#pragma once

#include "input/sim_token.h"

// A cursor move: one coordinate set or offset.
class CSimCursorToken final : public CSimToken {
  public:
    // Values of m_nMode.
    static constexpr uint32_t kSetX = 1;
    static constexpr uint32_t kSetY = 2;
    static constexpr uint32_t kAddX = 4;
    static constexpr uint32_t kAddY = 8;

    int Execute(const pw::input::SimTokenContext& context, int mode) override;
    int ExecutePhase(const pw::input::SimTokenContext& context, bool isUp) override;

    int32_t m_nValue = 0;
    uint32_t m_nMode = 0;

  private:
    void Send(const pw::input::SimTokenContext& context) const;
};
