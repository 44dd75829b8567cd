#pragma once

// The layer modifier-key table: 12 key combinations, one per ModifierKeys slot, that
// switch layers (or lock an axis) while they are held.

#include <PallawickHook/settings/action_codes.h>
#include <PallawickHook/settings/hotkeys.h>
#include <PallawickHook/support/export.h>

#include <array>
#include <cstddef>

class PW_API CLayerModifierKeys {
  public:
    static constexpr size_t kCount = 12;

    CLayerModifierKeys() = default;
    CLayerModifierKeys(const CLayerModifierKeys& other);
    CLayerModifierKeys& operator=(const CLayerModifierKeys& other);
    virtual ~CLayerModifierKeys();

    // The entry of slot, or null for a slot outside the table.
    CHotkey* GetHotkey(ModifierKeys slot);
    const CHotkey* GetHotkey(ModifierKeys slot) const;

  private:
    std::array<CHotkey, kCount> m_entries{};
};
