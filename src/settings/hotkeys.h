#pragma once

// The global hotkey table: 19 key combinations, one per GlobalHotkeys slot. The settings
// program assigns their meaning; the keyboard hook interprets them.

#include <PallawickHook/settings/action_codes.h>
#include <PallawickHook/support/export.h>

#include <array>
#include <cstddef>

// One key combination: a modifier code and a virtual key, both zero when unassigned.
class PW_API CHotkey {
  public:
    CHotkey() = default;
    CHotkey(unsigned short modifier, unsigned short virtualKey)
        : m_wModifier(modifier), m_wVirtualKey(virtualKey) {}
    CHotkey(const CHotkey& other) = default;
    CHotkey& operator=(const CHotkey& other);
    CHotkey& operator=(CHotkey&& other) noexcept;

    unsigned short GetModifier() const;
    unsigned short GetVirtualKey() const;

    // The setters return 1 when the stored value changed and 0 when it was already equal.
    int SetModifier(unsigned short modifier);
    int SetVirtualKey(unsigned short virtualKey);
    // Unpacks modifier from bits 8 to 15 and the virtual key from bits 0 to 7.
    int SetHotkey(unsigned long packed);
    // Packs the other way round: virtual key in bits 8 to 15, modifier in bits 0 to 7.
    unsigned long GetHotkey() const;

    bool IsEmpty() const;

  private:
    unsigned short m_wModifier = 0;
    unsigned short m_wVirtualKey = 0;
};

class PW_API CHotKeys {
  public:
    static constexpr size_t kCount = 19;

    CHotKeys() = default;
    CHotKeys(const CHotKeys& other);
    CHotKeys& operator=(const CHotKeys& other);
    virtual ~CHotKeys();

    // The entry of slot, or null for a slot outside the table.
    CHotkey* GetHotkey(GlobalHotkeys slot);
    const CHotkey* GetHotkey(GlobalHotkeys slot) const;

  private:
    std::array<CHotkey, kCount> m_entries{};
};
