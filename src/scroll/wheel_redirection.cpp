#include "scroll/wheel_redirection.h"

bool pw::ScrollVertical(MSLLHOOKSTRUCT*, int) {
    return false;
}

bool pw::ScrollHorizontal(MSLLHOOKSTRUCT*, bool&) {
    return false;
}

bool pw::IsInjectedScrollRedirectable(HWND) {
    return false;
}
