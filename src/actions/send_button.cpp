#include "actions/send_button.h"

#include "input/send_input.h"
#include "runtime/runtime_state.h"
#include "settings/settings.h"

namespace pw::actions {

void SendButton(MouseButtons button, int event, POINT pt) {
    if (!g_pSendInput)
        return;
    const CSettings* settings = g_pSettings;
    const int delay = settings ? settings->SimKeyDelay() : 0;
    g_nInjectCount +=
        pw::SendMouseEvent(button, event, pt, delay > 0 ? static_cast<unsigned>(delay) : 0u,
                           settings && settings->RazorMouse(), settings && settings->OfficeMouse());
}

} // namespace pw::actions
