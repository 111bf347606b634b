#include "sim/gameTime.hpp"

int currentGameTick = 0;
std::int64_t gameTime = 0;
