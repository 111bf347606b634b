#pragma once

#include "world/heightField.hpp"

/// A polar strip beside the world map: row 0 is the pole (ice), row rows − 1 meets the map (open water).
/// Generated on the main thread from the seeded random source, then read-only.
class iceCap {
  public:
    /// Heights are 0 until gen().
    iceCap();

    /// Sets every cell to UNSET_HEIGHT.
    void init();
    /// Ice rows, two rows of random heights every fifth column, open water, then interpolation.
    void gen();

    static constexpr int columns = 361;
    static constexpr int rows = 26;
    heightField data;
};
