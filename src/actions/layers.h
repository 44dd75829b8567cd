#pragma once

// The current layer and every way of changing it: the exported calls of the settings
// program, the next and previous actions, momentary layer buttons, layer tokens and the
// automatic switch-back timer. Guarded by the global lock.

#include "actions/layers_api.h"
#include "platform/handles.h"

#include <cstdint>

namespace pw {

// Makes layer (0 to MaxLayers - 1) current, after releasing keys held for a press and,
// if the settings say so, the sticky states; announces it (notify: with a notification).
void ChangeLayer(int layer, bool notify);
// Announces the current layer to the setup and main windows ("VESKLayerChanged").
void LayerNotify(bool notify);
// Ends an automatic switch-back: returns to the layer the current one names.
void AutoSwitchTimerProc(HWND window, unsigned message, uintptr_t id, unsigned long time);

} // namespace pw
