#pragma once

#include "support/configFiles.hpp"
#include "support/testFiles.hpp"

#include <string>

/// Settings for the smallest world the program accepts, so that a run takes a fraction of a second.
inline void writeSmallWorldConfig(const temporaryDirectory& directory,
                                  const std::string& defaultSeed = "RANDOM",
                                  const std::string& height = "70") {
    settingElements settings = with(with(defaultSettings(), "worldWidth", "190"), "worldHeight", height);
    settings =
        with(with(with(settings, "numFactions", "3"), "humanName", "Tester"), "defaultSeed", defaultSeed);
    writeTextFile(directory.file("config.xml"), configText(settings));
}
