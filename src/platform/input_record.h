#pragma once

// One record of the system's input-injection call, shaped like its INPUT structure, and
// the flag values the library sets in it.

#include <cstdint>

namespace pw::platform {

enum class InputType : uint32_t {
    Mouse = 0,
    Keyboard = 1,
};

struct MouseInputRecord {
    int32_t dx = 0;
    int32_t dy = 0;
    uint32_t mouseData = 0;
    uint32_t flags = 0; // kMouseEvent...
    uint32_t time = 0;
    uintptr_t extraInfo = 0;
};

struct KeyInputRecord {
    uint16_t vk = 0;
    uint16_t scan = 0;
    uint32_t flags = 0; // kKeyEvent...
    uint32_t time = 0;
    uintptr_t extraInfo = 0;
};

struct InputRecord {
    InputType type = InputType::Keyboard;
    MouseInputRecord mouse;
    KeyInputRecord key;

    static InputRecord Key(uint16_t vk, bool up, uint32_t extraFlags = 0) {
        InputRecord record;
        record.type = InputType::Keyboard;
        record.key.vk = vk;
        record.key.flags = extraFlags | (up ? 0x0002u : 0u);
        return record;
    }
    static InputRecord Mouse(uint32_t flags, uint32_t mouseData = 0, int32_t dx = 0,
                             int32_t dy = 0) {
        InputRecord record;
        record.type = InputType::Mouse;
        record.mouse.flags = flags;
        record.mouse.mouseData = mouseData;
        record.mouse.dx = dx;
        record.mouse.dy = dy;
        return record;
    }
};

// Keyboard record flags.
inline constexpr uint32_t kKeyEventExtendedKey = 0x0001;
inline constexpr uint32_t kKeyEventKeyUp = 0x0002;
inline constexpr uint32_t kKeyEventUnicode = 0x0004;
inline constexpr uint32_t kKeyEventScanCode = 0x0008;

// Mouse record flags.
inline constexpr uint32_t kMouseEventMove = 0x0001;
inline constexpr uint32_t kMouseEventLeftDown = 0x0002;
inline constexpr uint32_t kMouseEventLeftUp = 0x0004;
inline constexpr uint32_t kMouseEventRightDown = 0x0008;
inline constexpr uint32_t kMouseEventRightUp = 0x0010;
inline constexpr uint32_t kMouseEventMiddleDown = 0x0020;
inline constexpr uint32_t kMouseEventMiddleUp = 0x0040;
inline constexpr uint32_t kMouseEventXDown = 0x0080;
inline constexpr uint32_t kMouseEventXUp = 0x0100;
inline constexpr uint32_t kMouseEventWheel = 0x0800;
inline constexpr uint32_t kMouseEventHWheel = 0x1000;
inline constexpr uint32_t kMouseEventVirtualDesk = 0x4000;
inline constexpr uint32_t kMouseEventAbsolute = 0x8000;

// X-button numbers in mouseData.
inline constexpr uint32_t kXButton1 = 1;
inline constexpr uint32_t kXButton2 = 2;

} // namespace pw::platform
