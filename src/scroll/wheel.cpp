#include "scroll/wheel.h"

// Nothing is accumulated or cached yet, so there is nothing to forget.
void CWheel::Reset() {}
