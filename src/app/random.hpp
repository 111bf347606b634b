#pragma once

/// The program's one seeded random source: the C standard's reference linear congruential
/// generator, so a seed yields the same sequence with every compiler and C library.
/// Main thread only; values 0 … 32767.

/// Seeds from the current calendar time in seconds and returns that value.
int seed();
void seed(unsigned int s);
/// The generator's state now: seed() with it makes the source go on from here, as a saved game needs.
[[nodiscard]] unsigned int randomSourceState();
/// One draw, in low … high inclusive. [Limit: high >= low]
int randomRange(int low, int high);
