// The scroll layer's pieces that are not built yet (see "Not built yet" in the README):
// wheel redirection, the wheel accumulator and the cursor shapes of an axis lock. Each
// keeps its interface and does nothing.

#include "scroll/lock_axis.h"
#include "scroll/wheel_redirection.h"

bool pw::ScrollVertical(MSLLHOOKSTRUCT*, int) {
    return false;
}

bool pw::RedirectHorizontalWheel(MSLLHOOKSTRUCT*) {
    return false;
}

bool pw::IsInjectedScrollRedirectable(HWND) {
    return false;
}

// Nothing is accumulated or cached, so there is nothing to forget.
void CWheel::Reset() {}

void CLockAxis::ChangeCursor(HICON) {}
