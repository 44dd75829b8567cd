#pragma once

// The current layer and every way of changing it: the exported calls of the settings
// program, the next and previous actions, momentary layer buttons, layer tokens and the
// automatic switch-back timer. Guarded by the global lock.

#include "platform/handles.h"
#include "support/export.h"

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

// The current layer; 0 while another thread holds the global lock.
PW_EXTERN_C int GetCurrentLayer();
// The current profile's name of layer, or null without a current profile.
PW_EXTERN_C const wchar_t* GetCurrentLayername(int layer);
// ChangeLayer, remembering the layer left when saveLayer, and arming the layer's
// automatic switch-back when autoSwitch.
PW_EXTERN_C void SetCurrentLayer(int layer, bool notify, bool autoSwitch, bool saveLayer);
// The next or previous layer in use, skipping the current profile's disabled layers.
PW_EXTERN_C void NextLayer();
PW_EXTERN_C void PreviousLayer();
// The number of layers in use (10 without settings).
PW_EXTERN_C int MaxLayers();
// Whether a left click on the tray icon cycles the layers.
PW_EXTERN_C bool LeftClickCycleLayer();
