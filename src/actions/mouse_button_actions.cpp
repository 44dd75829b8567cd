#include "actions/action_families.h"
#include "actions/action_state.h"
#include "actions/process_button.h"
#include "actions/send_button.h"

namespace pw::actions {
namespace {

constexpr int kEventDown = 1;
constexpr int kEventUp = 2;
constexpr int kEventDoubleClick = 3;

MouseButtons PrimaryButton() {
    return g_bButtonsSwapped ? mbRight : mbLeft;
}

MouseButtons ButtonSentBy(_ACTIONS action) {
    switch (action) {
    case actRightClick:
        return mbRight;
    case actMiddleClick:
        return mbMiddle;
    case actClickButton4:
        return mbXLeft;
    case actClickButton5:
        return mbXRight;
    case actLeftClick:
        return mbLeft;
    default:
        return PrimaryButton();
    }
}

// One injected button event; the injected count tells the hook to let it pass.
void Send(MouseButtons button, int event, const ActionCall& call) {
    SendButton(button, event, call.Point());
}

bool RunClick(const ActionCall& call) {
    const MouseButtons sent = ButtonSentBy(call.action);
    if (call.IsDown()) {
        Send(sent, kEventDown, call);
        return true;
    }
    if (DownWasHandled(call.button)) {
        Send(sent, call.kind, call);
        return true;
    }
    // The press reached the system as the original button: complete the click, and let
    // the original release through as well.
    Send(sent, kEventDown, call);
    Send(sent, call.kind, call);
    return false;
}

bool RunDoubleClick(const ActionCall& call) {
    if (call.IsDown()) {
        Send(PrimaryButton(), kEventDoubleClick, call);
        return true;
    }
    if (DownWasHandled(call.button))
        return true;
    Send(PrimaryButton(), kEventDoubleClick, call);
    return false;
}

// Press: a click and a press, so that the drag starts as a double-click drag. Release:
// the release of the held press.
bool RunDoubleClickDrag(const ActionCall& call) {
    if (call.IsDown()) {
        Send(PrimaryButton(), kEventDown, call);
        Send(PrimaryButton(), kEventUp, call);
        Send(PrimaryButton(), kEventDown, call);
        return true;
    }
    if (!DownWasHandled(call.button))
        return false;
    if (call.IsUp())
        Send(PrimaryButton(), kEventUp, call);
    return true;
}

} // namespace

bool RunMouseButtonAction(const ActionCall& call) {
    if (call.injected)
        *call.injected = true;
    switch (call.action) {
    case actDoubleClick:
        return RunDoubleClick(call);
    case actDoubleClickDrag:
        return RunDoubleClickDrag(call);
    default:
        return RunClick(call);
    }
}

} // namespace pw::actions
