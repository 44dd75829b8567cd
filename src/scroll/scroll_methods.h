#pragma once

// The ways of scrolling a window without sending it the wheel message itself, chosen by a
// profile's scroll method or forced for particular window classes.

#include "platform/handles.h"

namespace pw::scroll {

inline constexpr int kMethodLineCommands = 0;   // line commands to the scroll bar
inline constexpr int kMethodThumbPosition = 1;  // set the scroll bar's position
inline constexpr int kMethodArrowKeys = 2;      // arrow keys (horizontal only)
inline constexpr int kMethodScaledWheel = 3;    // a scaled wheel message at the cursor
inline constexpr int kMethodCursorCommands = 4; // line commands at the cursor position
inline constexpr int kMethodDefault = 8;
inline constexpr int kMethodDefaultOld = 0x0F000000;
inline constexpr int kMethodDisabled = 9;
inline constexpr int kMethodDisabledOld = -1;

// What one notch of an amount scrolls by: lines (or characters), or a page when the
// system is set to scroll a screen at a time.
enum class ScrollUnit { Line, Page };

// Wheel units of one notch.
inline constexpr int kWheelDelta = 120;

inline bool IsDefaultMethod(int method) {
    return method == kMethodDefault || method == kMethodDefaultOld;
}
inline bool IsDisabledMethod(int method) {
    return method == kMethodDisabled || method == kMethodDisabledOld;
}

// A wheel amount cut to its 16 bits, as the system's messages carry it.
inline int Cut16(long long amount) {
    return static_cast<int16_t>(static_cast<uint16_t>(amount & 0xFFFF));
}

// Word packing of message parameters: low word and high word, 16 bits each.
inline uintptr_t MakeParam(long low, long high) {
    return (static_cast<uintptr_t>(static_cast<uint16_t>(high)) << 16) | static_cast<uint16_t>(low);
}

} // namespace pw::scroll

namespace pw {

// Scrolls window by amount (wheel units, 120 a notch; positive up or right) with method;
// scrollMessage is kWmVScroll or kWmHScroll. True when the event counts as handled: a
// disabled method swallows, the default method is left to the caller (false), and a
// window of a more privileged process or without the scroll bar a method needs gives
// false. With ScrollUnit::Page the commands methods 0 and 4 post are page commands, one a
// notch.
bool Scroll(HWND window, unsigned scrollMessage, int amount, int method,
            scroll::ScrollUnit unit = scroll::ScrollUnit::Line);
// The scroll bar of window for a direction: its own bar when it has a visible one, else
// a scroll-bar control among its children or its parent's children; null when none.
HWND FindScrollBar(HWND window, bool horizontal);

} // namespace pw
