#include "settings/hotkeys.h"

CHotkey& CHotkey::operator=(const CHotkey& other) = default;

CHotkey& CHotkey::operator=(CHotkey&& other) noexcept = default;

int CHotkey::SetModifier(unsigned short modifier) {
    if (m_wModifier == modifier)
        return 0;
    m_wModifier = modifier;
    return 1;
}

int CHotkey::SetVirtualKey(unsigned short virtualKey) {
    if (m_wVirtualKey == virtualKey)
        return 0;
    m_wVirtualKey = virtualKey;
    return 1;
}

int CHotkey::SetHotkey(unsigned long packed) {
    int modifierChanged = SetModifier(static_cast<unsigned short>((packed >> 8) & 0xFF));
    int keyChanged = SetVirtualKey(static_cast<unsigned short>(packed & 0xFF));
    return (modifierChanged || keyChanged) ? 1 : 0;
}

unsigned long CHotkey::GetHotkey() const {
    return (static_cast<unsigned long>(m_wVirtualKey & 0xFF) << 8) | (m_wModifier & 0xFF);
}

CHotKeys::CHotKeys(const CHotKeys& other) = default;

CHotKeys& CHotKeys::operator=(const CHotKeys& other) = default;

CHotKeys::~CHotKeys() = default;

CHotkey* CHotKeys::GetHotkey(GlobalHotkeys slot) {
    auto index = static_cast<size_t>(slot);
    if (index >= kCount)
        return nullptr;
    return &m_entries[index];
}

const CHotkey* CHotKeys::GetHotkey(GlobalHotkeys slot) const {
    return const_cast<CHotKeys*>(this)->GetHotkey(slot);
}
