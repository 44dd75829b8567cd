#pragma once

// Carries out a resolved action for a button event.

#include "platform/handles.h"

class CActionData;
class CApplicationSettings;

namespace pw {

// Carries out action for button (data: the slot's record; source: the profile it came
// from; layer: the layer it was resolved on). True when the event was handled.
bool ProcessButtonAction(int button, int action, CActionData* data, CApplicationSettings* source,
                         int kind, int layer, bool skipWindowCheck, HWND hwnd,
                         MSLLHOOKSTRUCT* record, bool* passOriginal, bool* keysSent,
                         bool* injected);

} // namespace pw

namespace pw::actions {

struct ActionCall;

// Called with every action before it is carried out, on the hook thread with the global
// lock held; for tools and tests that show what the engine does. Null: none.
using ActionObserver = void (*)(const ActionCall& call, void* context);
void SetActionObserver(ActionObserver observer, void* context);

} // namespace pw::actions
