#include "settings/layer_modifier_keys.h"

CLayerModifierKeys::CLayerModifierKeys(const CLayerModifierKeys& other) = default;

CLayerModifierKeys& CLayerModifierKeys::operator=(const CLayerModifierKeys& other) = default;

CLayerModifierKeys::~CLayerModifierKeys() = default;

CHotkey* CLayerModifierKeys::GetHotkey(ModifierKeys slot) {
    auto index = static_cast<size_t>(slot);
    if (index >= kCount)
        return nullptr;
    return &m_entries[index];
}

const CHotkey* CLayerModifierKeys::GetHotkey(ModifierKeys slot) const {
    return const_cast<CLayerModifierKeys*>(this)->GetHotkey(slot);
}
