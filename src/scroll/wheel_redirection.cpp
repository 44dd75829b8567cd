#include "scroll/wheel_redirection.h"

bool ScrollVertical(MSLLHOOKSTRUCT*, int) {
    return false;
}

bool ScrollHorizontal(MSLLHOOKSTRUCT*, bool&) {
    return false;
}

bool IsInjectedScrollRedirectable(HWND) {
    return false;
}
