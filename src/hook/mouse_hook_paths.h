#pragma once

// The pieces of MouseHookLLProc: one event's working state, the paths it runs, and the
// mouse messages it receives (with the non-client twins of the button messages, which the
// hook treats like their client forms).

#include "platform/handles.h"
#include "support/text.h"

#include <cstdint>

class CSettings;

namespace pw::hook {

inline constexpr unsigned kWmLButtonDown = 0x0201;
inline constexpr unsigned kWmLButtonUp = 0x0202;
inline constexpr unsigned kWmLButtonDblClk = 0x0203;
inline constexpr unsigned kWmRButtonDown = 0x0204;
inline constexpr unsigned kWmRButtonUp = 0x0205;
inline constexpr unsigned kWmRButtonDblClk = 0x0206;
inline constexpr unsigned kWmMButtonDown = 0x0207;
inline constexpr unsigned kWmMButtonUp = 0x0208;
inline constexpr unsigned kWmMButtonDblClk = 0x0209;
inline constexpr unsigned kWmXButtonDown = 0x020B;
inline constexpr unsigned kWmXButtonUp = 0x020C;
inline constexpr unsigned kWmXButtonDblClk = 0x020D;

// WM_NCLBUTTONDOWN (0xA1) to WM_NCXBUTTONDBLCLK (0xAD) lie at this distance below their
// client twins; 0xAA has no twin (there is no non-client wheel message).
inline constexpr unsigned kNonClientOffset = 0x0160;
inline constexpr unsigned kWmNcLButtonDown = 0x00A1;
inline constexpr unsigned kWmNcXButtonDblClk = 0x00AD;

// Bit 10 of an event's extra information: the second middle button of an office mouse.
inline constexpr uintptr_t kOfficeMouseMiddleFlag = 0x400;

// The client form of a non-client button message; every other message unchanged.
constexpr unsigned ClientMessage(unsigned message) {
    if (message >= kWmNcLButtonDown && message <= kWmNcXButtonDblClk && message != 0x00AA)
        return message + kNonClientOffset;
    return message;
}

// The signed high word of an event's mouse data: the wheel delta or the X-button number.
constexpr int HighWord(DWORD mouseData) {
    return static_cast<short>(static_cast<uint16_t>(mouseData >> 16));
}

// A point packed as a message's lParam: x in the low word, y in the high word.
constexpr LPARAM PointParam(POINT pt) {
    const uint32_t x = static_cast<uint16_t>(pt.x);
    const uint32_t y = static_cast<uint16_t>(pt.y);
    return static_cast<LPARAM>(x | (y << 16));
}

// The button slot (3 or 4) of an X-button number; -1 for any other number.
constexpr int XButtonSlot(DWORD mouseData) {
    const int number = HighWord(mouseData);
    return number == 1 || number == 2 ? 2 + number : -1;
}

// The log name of a message, " (WM_LBUTTONDOWN)" and so on, " (UNKNOWN)" for others.
const Char* MouseMessageName(unsigned message);

// How a path ends: through the common exit (timing check, then swallow or pass by the
// event's flags), or at once without the timing check.
enum class HookOutcome {
    Exit,
    SwallowNow,
    PassNow,
};

struct MouseEvent {
    int code = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    unsigned message = 0;
    MSLLHOOKSTRUCT* record = nullptr;
    uint32_t start = 0; // tick count on entry
    bool handled = false;
    bool passOriginal = false;
    bool keysSent = false;
    bool injected = false;
    bool fastWheel = false;
};

HookOutcome RunButtonPath(MouseEvent& event);
HookOutcome RunMovementPath(MouseEvent& event);
// The vertical wheel and tilt steps of the button path, with the global lock held.
HookOutcome RunVerticalWheel(MouseEvent& event, const CSettings& settings);
HookOutcome RunTilt(MouseEvent& event, const CSettings& settings);

// The action of button on the current layer of the current profile, following the
// default-profile indirection (and the layer-1 one when sameAsLayer1 is set); actNoChange
// for an invalid slot. The current profile must exist.
int CurrentWheelAction(int button, bool sameAsLayer1);

// The debounce verdict on one event; diff is the press interval measured, 0 when none.
struct DebounceCheck {
    bool bounce = false;
    uint32_t diff = 0;
};

// Checks a real (not injected) button event against the debounce table and records it.
// Only the down and up messages of the five physical buttons are considered, and only when
// de-bouncing is on.
DebounceCheck CheckDebounce(const CSettings& settings, unsigned message,
                            const MSLLHOOKSTRUCT& record);

} // namespace pw::hook
