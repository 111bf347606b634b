#pragma once

#include "app/random.hpp"
#include "app/settings.hpp"
#include "world/worldMap.hpp"

#include <sstream>

/// The map of the current settings built from `seedValue` as the program builds it; notices go to `log`.
inline worldMap generatedMap(unsigned seedValue, std::ostream& log) {
    seed(seedValue);
    worldMap map;
    map.init();
    map.gen(log);
    map.setArea(log);
    map.tuneEdges();
    return map;
}

/// The map of a 190 × 70 world (19 × 7 grids), land share 30 %, built from `worldSeed`. Changes the
/// settings; callers hold a settingsGuard.
inline worldMap smallWorldMap(unsigned worldSeed) {
    worldWidth = 190;
    worldHeight = 70;
    lArea = 30;
    std::ostringstream log;
    return generatedMap(worldSeed, log);
}
