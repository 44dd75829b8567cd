#pragma once

// The current layer as the main program reads and changes it. Guarded by the global
// lock.

#include <PallawickHook/support/export.h>

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
