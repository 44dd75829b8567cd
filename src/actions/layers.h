#pragma once

// The current layer and the momentary layer shift. Guarded by the global lock.

// A momentary layer button is held.
extern bool g_bLayerHeld;
// The layer to return to when the momentary shift ends; -1 when none.
extern int g_nSavedLayer;

// Makes layer (0 to 9) current and announces it to the main window ("VESKLayerChanged",
// wParam the layer, lParam whether to show a notification).
void ChangeLayer(int layer, bool notify);
