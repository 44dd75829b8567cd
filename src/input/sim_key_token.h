#pragma once

#include "input/sim_token.h"

// A key: a named key, a typed character or a Unicode character, with its modifiers.
class CSimKeyToken final : public CSimToken {
  public:
    int Execute(const pw::input::SimTokenContext& context, int mode) override;
    int ExecutePhase(const pw::input::SimTokenContext& context, bool isUp) override;

    // The virtual key; for typed characters the whole keyboard-scan result (shift state
    // above the key), so -1 means no key.
    int32_t m_nVirtualKey = 0;
    // The scan code, or the UTF-16 code unit when m_bUnicode is set.
    uint32_t m_nScanCode = 0;
    bool m_bUnicode = false;
    bool m_bExtended = false;

  private:
    void Send(const pw::input::SimTokenContext& context, bool release, int& holdTime);
    void NoteVolumeKey(const pw::input::SimTokenContext& context) const;
};
