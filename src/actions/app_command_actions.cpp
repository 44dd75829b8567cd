#include "actions/action_families.h"
#include "input/send_keys.h"

namespace pw::actions {

// Browser commands act on the release, sent to the window the event concerns.
bool RunAppCommandAction(const ActionCall& call) {
    int command = 0;
    switch (call.action) {
    case actBack:
        command = 1;
        break;
    case actForward:
        command = 2;
        break;
    case actBrowserRefresh:
        command = 3;
        break;
    case actBrowserStop:
        command = 4;
        break;
    case actBrowserSearch:
        command = 5;
        break;
    case actBrowserFavourites:
        command = 6;
        break;
    default:
        return false;
    }
    if (call.IsUp())
        pw::SendAppCommand(call.hwnd, command);
    return true;
}

} // namespace pw::actions
