// The scroll layer's pieces that are not built yet (see "Not built yet" in the README):
// the cursor shapes of an axis lock. It keeps its interface and does nothing.

#include "scroll/lock_axis.h"

void CLockAxis::ChangeCursor(HICON) {}
