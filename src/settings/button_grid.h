#pragma once

// The buttons of a profile's grid and how a (button, layer) pair maps to its slot.
//
// A profile has 10 layers of 9 buttons laid out in one flat array of 90 slots, slot =
// button + 9 * layer. Only the flat index is checked, never button and layer on their
// own, so (9, 0) is a valid way to name button 0 of layer 1.

#include <cstdint>

// Stored in the settings file and passed across the exported interface: never renumber.
enum MouseButtons : int32_t {
    mbNone = -1, // no button, where a button is optional
    mbLeft = 0,
    mbRight = 1,
    mbMiddle = 2,
    mbXLeft = 3,     // first extended button (XBUTTON1)
    mbXRight = 4,    // second extended button (XBUTTON2)
    mbTiltLeft = 5,  // wheel tilted left; the second middle button of an office mouse
    mbTiltRight = 6, // wheel tilted right; unused on an office mouse
    mbWheelUp = 7,
    mbWheelDown = 8,
};

namespace pw::settings {

inline constexpr int kLayerCount = 10;
inline constexpr int kButtonCount = 9;
inline constexpr int kSlotCount = kLayerCount * kButtonCount;
inline constexpr int kDefaultMaxLayers = 2;

// The flat index of (button, layer), or -1 when it falls outside the grid.
constexpr int SlotIndex(int button, int layer) {
    int64_t slot = static_cast<int64_t>(button) + int64_t{kButtonCount} * layer;
    if (slot < 0 || slot >= kSlotCount)
        return -1;
    return static_cast<int>(slot);
}

constexpr bool IsValidSlot(int button, int layer) {
    return SlotIndex(button, layer) >= 0;
}
constexpr bool IsValidLayer(int layer) {
    return layer >= 0 && layer < kLayerCount;
}
constexpr bool IsValidButton(int button) {
    return button >= 0 && button < kButtonCount;
}

} // namespace pw::settings
