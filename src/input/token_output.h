#pragma once

// Where simulated tokens send what they play. TokenOutput is the input queue's producer
// side (the send-input thread object implements it); TokenEffects holds what tokens do
// besides input: layer switches, brightness steps and the volume display.

#include "platform/handles.h"
#include "platform/keyboard_layout.h"
#include "settings/mouse_buttons.h"

#include <cstdint>

namespace pw::input {

// Mouse actions of SendMouse.
inline constexpr int kMouseActionDown = 1;
inline constexpr int kMouseActionUp = 2;
inline constexpr int kMouseActionDoubleClick = 3;

class TokenOutput {
  public:
    virtual ~TokenOutput() = default;
    // Presses (release false) or releases one key together with the modifier keys of
    // modifiers (the bits of SimModifier). holdTime is spent by the call: it comes back 0.
    // False for an invalid key (virtual key -1).
    virtual bool SendKeyState(int virtualKey, bool extended, uint32_t modifiers, uint32_t scanCode,
                              bool unicode, bool release, unsigned delay, uintptr_t extraInfo,
                              pw::platform::KeyboardLayoutHandle layout, int& holdTime) = 0;
    // One mouse button or wheel event (kMouseAction...); the number of events queued.
    virtual int SendMouse(MouseButtons button, int action, const POINT& pt, unsigned delay,
                          bool razorMouse, bool officeMouse, uintptr_t extraInfo, int holdTime) = 0;
    // Cursor move: mode 1 set X, 2 set Y, 4 add to X, 8 add to Y.
    virtual bool SendPositionThreaded(int value, int mode) = 0;
    // A pause of ms milliseconds in the queue.
    virtual bool SendInputDelay(unsigned ms, uint32_t time) = 0;
};

class TokenEffects {
  public:
    virtual ~TokenEffects() = default;
    // Makes layer (0-based) current, arming its automatic switch-back; an index outside
    // the layers in use is ignored.
    virtual void SwitchLayer(int layer) = 0;
    // Whether a layer is held by a pressed button (momentary switch).
    virtual void SetLayerHeld(bool held) = 0;
    // One brightness step on the monitor at pt.
    virtual void StepBrightness(bool brighter, const POINT& pt) = 0;
    // Tells the volume display window that a volume key was sent.
    virtual void ShowVolumeOsd(HWND osdWindow) = 0;
};

} // namespace pw::input
