#pragma once

#include "app/random.hpp"
#include "app/settings.hpp"
#include "world/worldMap.hpp"

#include <sstream>

/// The map of a 190 × 70 world (19 × 7 grids), land share 30 %, built from `worldSeed` as the program
/// builds it. Changes the settings; callers hold a settingsGuard.
inline worldMap smallWorldMap(unsigned worldSeed) {
    worldWidth = 190;
    worldHeight = 70;
    lArea = 30;
    seed(worldSeed);
    worldMap map;
    std::ostringstream log;
    map.init();
    map.gen(log);
    map.setArea(log);
    map.tuneEdges();
    return map;
}
