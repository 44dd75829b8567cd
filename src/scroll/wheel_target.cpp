#include "scroll/wheel_target.h"

#include "windows/activate_window.h"
#include "windows/wheel_window.h"

bool pw::UpdateWheelTarget(const MSLLHOOKSTRUCT* record) {
    return record && pw::CheckWheelWindow(&record->pt);
}

void pw::ActivateWindowUnderCursor(HWND foreground, HWND target, HWND window) {
    pw::ActivateWindowForScroll(window, foreground, target);
}
