#pragma once

#include <cstdint>

// The game calendar. A tick is 12 game minutes, so a game day is 120 ticks. Main thread only.

/// Ticks since the program started.
extern int currentGameTick;
/// Game seconds since 1970-01-01 00:00 UTC. 64 bits: 32 would overflow after 14 hours of play at 60 ticks
/// a second.
extern std::int64_t gameTime;

constexpr int SECONDS_PER_TICK = 720;
constexpr int SECONDS_PER_DAY = 86400;

/// True on the tick that ends a game day; the daily economy acts only then.
inline bool isDayBoundary() {
    return gameTime % SECONDS_PER_DAY == 0;
}
