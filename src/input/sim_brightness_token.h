#pragma once

#include "input/sim_token.h"

class CBrightness;

// One brightness step on the monitor under the cursor.
class CSimBrightnessToken final : public CSimToken {
  public:
    static constexpr uint32_t kBrighter = 1;
    static constexpr uint32_t kDarker = 2;

    int Execute(const pw::input::SimTokenContext& context, int mode) override;
    int ExecutePhase(const pw::input::SimTokenContext& context, bool isUp) override;

    uint32_t m_nDirection = 0;
    POINT m_pt = {0, 0};

  private:
    void Step(const pw::input::SimTokenContext& context) const;
};

// The monitor brightness control, created and deleted by the hook thread; null while
// there is none, and a step without it does nothing.
extern CBrightness* g_pBrightness;
