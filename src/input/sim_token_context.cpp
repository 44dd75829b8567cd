#include "input/sim_token_context.h"

#include "settings/settings.h"

namespace pw::input {

void ApplySettings(SimTokenContext& context, const CSettings* settings) {
    if (!settings)
        return;
    int delay = settings->SimKeyDelay();
    context.simKeyDelay = delay > 0 ? static_cast<unsigned>(delay) : 0u;
    context.razorMouse = settings->RazorMouse();
    context.officeMouse = settings->OfficeMouse();
}

} // namespace pw::input
