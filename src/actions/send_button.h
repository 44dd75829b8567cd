#pragma once

// One injected mouse button event of an action, with the settings' key delay and mouse
// options; the injected count tells the hook to let it pass.

#include "platform/handles.h"
#include "settings/mouse_buttons.h"

namespace pw::actions {

// event: 1 down, 2 up, 3 double click. Nothing without the sender.
void SendButton(MouseButtons button, int event, POINT pt);

} // namespace pw::actions
