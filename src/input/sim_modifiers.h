#pragma once

// Modifier keys held around a simulated token. The three low bits are the shift-state
// bits of the keyboard-scan calls, so their results can be OR-ed in directly.

#include <cstdint>

namespace pw::input {

inline constexpr uint32_t kModShift = 0x001; // left Shift
inline constexpr uint32_t kModCtrl = 0x002;  // left Ctrl
inline constexpr uint32_t kModAlt = 0x004;   // left Alt
inline constexpr uint32_t kModLWin = 0x008;
inline constexpr uint32_t kModRWin = 0x010;
inline constexpr uint32_t kModApps = 0x020;
inline constexpr uint32_t kModRShift = 0x040;
inline constexpr uint32_t kModRCtrl = 0x080;
inline constexpr uint32_t kModRAlt = 0x100;

// Press modes of a token.
inline constexpr uint32_t kPressTap = 0;    // press and release
inline constexpr uint32_t kPressOnly = 1;   // {PRESS}
inline constexpr uint32_t kReleaseOnly = 2; // {RELEASE}

// Modes of CSimToken::Execute.
inline constexpr int kExecuteWhole = 0;
inline constexpr int kExecuteButtonDown = 1; // press of send mode "(pressed & released)"
inline constexpr int kExecuteButtonUp = 2;   // its release

} // namespace pw::input
