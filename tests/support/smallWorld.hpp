#pragma once

#include "app/random.hpp"
#include "app/settings.hpp"
#include "support/configFiles.hpp"
#include "support/testFiles.hpp"
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

/// config.xml for the smallest world the program accepts (three factions, the human called Tester), so that
/// a run takes a fraction of a second.
inline void writeSmallWorldConfig(const temporaryDirectory& directory,
                                  const std::string& defaultSeed = "RANDOM",
                                  const std::string& height = "70") {
    writeTextFile(directory.file("config.xml"), configText(defaultSettings({{"worldWidth", "190"},
                                                                            {"worldHeight", height},
                                                                            {"numFactions", "3"},
                                                                            {"humanName", "Tester"},
                                                                            {"defaultSeed", defaultSeed}})));
}
