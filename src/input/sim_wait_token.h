#pragma once

#include "input/sim_token.h"

// A pause in the input queue.
class CSimWaitToken final : public CSimToken {
  public:
    int Execute(const pw::input::SimTokenContext& context, int mode) override;
    int ExecutePhase(const pw::input::SimTokenContext& context, bool isUp) override;

    uint32_t m_nWaitTime = 0; // milliseconds
};

namespace pw::input {

// The phase in which a wait or brightness token plays: a release-only token at the
// release, any other at the press.
inline bool PlaysInPhaseOnce(uint32_t pressMode, bool isUp) {
    return pressMode == kReleaseOnly ? isUp : !isUp;
}

} // namespace pw::input
