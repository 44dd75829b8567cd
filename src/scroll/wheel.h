#pragma once

// The wheel accumulator and the wheel target cache.

class CWheel {
  public:
    // Forgets the accumulated wheel movement and the cached target.
    static void Reset();
};
