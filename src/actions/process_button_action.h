#pragma once

// Carries out a resolved action for a button event.

#include "platform/handles.h"

#include <vector>

class CActionData;
class CApplicationSettings;

// Carries out action for button (data: the slot's record; source: the profile it came
// from; layer: the layer it was resolved on). True when the event was handled.
bool ProcessButtonAction(int button, int action, CActionData* data, CApplicationSettings* source,
                         int kind, int layer, bool skipWindowCheck, HWND hwnd,
                         MSLLHOOKSTRUCT* record, bool* passOriginal, bool* keysSent,
                         bool* injected);

namespace pw::actions {

// What ProcessButtonAction was asked to do, kept while the action catalogue is not wired:
// every request is recorded, and the answer is the one set with SetRequestAnswer.
struct ActionRequest {
    int button = 0;
    int action = 0;
    int kind = 0;
    int layer = 0;
    bool skipWindowCheck = false;
    HWND hwnd = nullptr;
    const CApplicationSettings* source = nullptr;
};

const std::vector<ActionRequest>& ActionRequests();
void ClearActionRequests();
// handled: the answer given to every request (false, pass the event on, by default).
void SetRequestAnswer(bool handled);

} // namespace pw::actions
