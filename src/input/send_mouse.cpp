#include "input/send_input.h"

#include "platform/platform.h"
#include "runtime/runtime_state.h"
#include "settings/mouse_buttons.h"
#include "support/logger.h"

#include <array>

using pw::platform::InputRecord;

namespace {

// The record flags and mouse data of one button's press and release; no release flag
// for the wheel and tilt steps.
struct ButtonEvent {
    uint32_t down;
    uint32_t up;
    int32_t data;
};

constexpr int kWheelDelta = 120;

constexpr std::array<ButtonEvent, 9> kButtonEvents = {{
    {pw::platform::kMouseEventLeftDown, pw::platform::kMouseEventLeftUp, 0},
    {pw::platform::kMouseEventRightDown, pw::platform::kMouseEventRightUp, 0},
    {pw::platform::kMouseEventMiddleDown, pw::platform::kMouseEventMiddleUp, 0},
    {pw::platform::kMouseEventXDown, pw::platform::kMouseEventXUp, pw::platform::kXButton1},
    {pw::platform::kMouseEventXDown, pw::platform::kMouseEventXUp, pw::platform::kXButton2},
    {pw::platform::kMouseEventHWheel, 0, -kWheelDelta},
    {pw::platform::kMouseEventHWheel, 0, kWheelDelta},
    {pw::platform::kMouseEventWheel, 0, kWheelDelta},
    {pw::platform::kMouseEventWheel, 0, -kWheelDelta},
}};

const Char* ButtonName(int button, bool officeMouse) {
    const Char* name = pw::settings::ButtonElementName(button, officeMouse);
    return name ? name : L"";
}

const Char* ActionName(int action) {
    constexpr const Char* kNames[] = {L"Unknown", L"Down", L"Up", L"DblClick"};
    return action >= 0 && action <= 3 ? kNames[action] : L"Unknown";
}

InputRecord MouseRecord(uint32_t flags, int32_t data, uint32_t time, uintptr_t extraInfo) {
    InputRecord record = InputRecord::Mouse(flags, static_cast<uint32_t>(data));
    record.mouse.time = time;
    record.mouse.extraInfo = extraInfo;
    return record;
}

uint32_t NonNegative(int value) {
    return value > 0 ? static_cast<uint32_t>(value) : 0u;
}

} // namespace

int CSendInput::SendMouse(MouseButtons button, int action, const POINT& pt, unsigned delay,
                          bool razorMouse, bool officeMouse, uintptr_t extraInfo, int holdTime) {
    if (CLogger::DebugEnabled())
        CLogger::LogDebug(L"SendInput::SendMouse: Button='%ls', Action='%ls', Point=%d,%d, "
                          L"MouseHookPtr=0x%X",
                          ButtonName(button, officeMouse), ActionName(action),
                          static_cast<int>(pt.x), static_cast<int>(pt.y),
                          static_cast<unsigned>(extraInfo));
    const uint32_t t = pw::platform::TickCount();
    const uint32_t hold = NonNegative(holdTime);
    const bool known = pw::settings::IsValidButton(button);
    const ButtonEvent event = known ? kButtonEvents[button] : ButtonEvent{0, 0, 0};

    if (action == pw::input::kMouseActionDown || action == pw::input::kMouseActionUp) {
        const uint32_t flags = action == pw::input::kMouseActionDown ? event.down : event.up;
        if (flags == 0) {
            SendInputDelay(delay, t);
            return 0;
        }
        InputRecord record = MouseRecord(flags, event.data, t, extraInfo);
        SendInputThreaded(1, &record, hold, 0, false);
        SendInputDelay(delay, t);
        return 1;
    }

    if (action == pw::input::kMouseActionDoubleClick) {
        if (!known || event.up == 0)
            return 0;
        if (razorMouse && button == mbLeft) {
            const InputRecord records[] = {MouseRecord(event.up, 0, t + 1, extraInfo),
                                           MouseRecord(event.down, 0, t + 2, extraInfo)};
            SendInputThreaded(2, records, hold, t + 2, false);
            return 2;
        }
        const InputRecord records[] = {MouseRecord(event.down, event.data, t, extraInfo),
                                       MouseRecord(event.up, event.data, t + 1, extraInfo),
                                       MouseRecord(event.down, event.data, t + 2, extraInfo),
                                       MouseRecord(event.up, event.data, t + 3, extraInfo)};
        SendInputThreaded(4, records, hold, t + 3, false);
        return 4;
    }

    SendInputDelay(delay, t);
    return 0;
}

int pw::SendMouseEvent(MouseButtons button, int action, const POINT& pt, unsigned delay,
                       bool razorMouse, bool officeMouse) {
    if (!g_pSendInput) {
        CLogger::LogMessage(L"SendMouseEvent: SendInput Thread is not available!");
        return 0;
    }
    return g_pSendInput->SendMouse(button, action, pt, delay, razorMouse, officeMouse,
                                   reinterpret_cast<uintptr_t>(g_hMouseHook), 0);
}
