#pragma once

// What the vertical wheel and the tilt wheel differ in when they are redirected to the
// window under the cursor, and the message being redirected.

#include "platform/handles.h"
#include "support/text.h"

#include <cstdint>

class CApplicationSettings;

namespace pw::scroll {

struct WheelAxis {
    bool horizontal = false;
    const Char* function = L"";
    unsigned scrollMessage = 0;
    unsigned wheelMessage = 0;
    bool (CApplicationSettings::*inverted)() const = nullptr;
    int (CApplicationSettings::*multiplier)() const = nullptr;
    // The injected turn that inverts an event that is not redirected.
    bool (*simulate)(int delta) = nullptr;
    const Char* overActiveWindow = L"";
    const Char* elevatedWindow = L"";
};

const WheelAxis& VerticalAxis();
const WheelAxis& HorizontalAxis();

// The wheel message about to go to the window under the cursor.
struct WheelMessage {
    const WheelAxis* axis = nullptr;
    const MSLLHOOKSTRUCT* record = nullptr;
    HWND window = nullptr;
    HWND foreground = nullptr;
    const CApplicationSettings* profile = nullptr;
    int delta = 0; // the delta to send
    uintptr_t wParam = 0;
    uintptr_t lParam = 0;
    StringView className;
};

enum class RuleOutcome {
    Swallow,  // dealt with
    Pass,     // the event passes on unchanged
    Continue, // no rule took it: post to the window itself
};

// The handling of window classes that do not take the wheel message where the system
// would send it; the first rule whose class matches decides.
RuleOutcome ApplyClassRules(const WheelMessage& message);

// Posts the wheel message to window; false when the window is gone.
bool PostWheelMessage(const WheelMessage& message, HWND window, uintptr_t wParam);

} // namespace pw::scroll
