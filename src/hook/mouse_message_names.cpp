#include "hook/mouse_messages.h"

#include "platform/handles.h"

namespace pw::hook {

const Char* MouseMessageName(unsigned message) {
    switch (message) {
    case kWmLButtonDown:
        return L" (WM_LBUTTONDOWN)";
    case kWmLButtonUp:
        return L" (WM_LBUTTONUP)";
    case kWmLButtonDblClk:
        return L" (WM_LBUTTONDBLCLK)";
    case kWmRButtonDown:
        return L" (WM_RBUTTONDOWN)";
    case kWmRButtonUp:
        return L" (WM_RBUTTONUP)";
    case kWmRButtonDblClk:
        return L" (WM_RBUTTONDBLCLK)";
    case kWmMButtonDown:
        return L" (WM_MBUTTONDOWN)";
    case kWmMButtonUp:
        return L" (WM_MBUTTONUP)";
    case kWmMButtonDblClk:
        return L" (WM_MBUTTONDBLCLK)";
    case platform::kWmMouseWheel:
        return L" (WM_MOUSEWHEEL)";
    case kWmXButtonDown:
        return L" (WM_XBUTTONDOWN)";
    case kWmXButtonUp:
        return L" (WM_XBUTTONUP)";
    case kWmXButtonDblClk:
        return L" (WM_XBUTTONDBLCLK)";
    case platform::kWmMouseHWheel:
        return L" (WM_MOUSEHWHEEL)";
    default:
        return L" (UNKNOWN)";
    }
}

} // namespace pw::hook
