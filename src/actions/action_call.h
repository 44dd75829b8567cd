#pragma once

// The arguments of one action dispatch, passed by reference to each action family.

#include "platform/handles.h"
#include "settings/actions.h"

class CActionData;
class CApplicationSettings;

namespace pw::actions {

struct ActionCall {
    int button = 0;
    _ACTIONS action = actNoChange;
    CActionData* data = nullptr;
    CApplicationSettings* profile = nullptr;
    int kind = 0; // 1 down, 2 up, 3 double click
    int layer = 0;
    bool skipWindowCheck = false;
    HWND hwnd = nullptr;
    MSLLHOOKSTRUCT* record = nullptr;
    bool* passOriginal = nullptr;
    bool* keysSent = nullptr;
    bool* injected = nullptr;

    bool IsDown() const { return kind == 1; }
    bool IsUp() const { return kind == 2; }
    POINT Point() const { return record ? record->pt : POINT{0, 0}; }
};

} // namespace pw::actions
