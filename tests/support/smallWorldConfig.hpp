#pragma once

#include "support/testFiles.hpp"

#include <string>

/// Settings for the smallest world the program accepts, so that a run takes a fraction of a second.
inline void writeSmallWorldConfig(const temporaryDirectory& directory,
                                  const std::string& defaultSeed = "RANDOM") {
    writeTextFile(
        directory.file("config.xml"),
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\n"
        "<!DOCTYPE boost_serialization>\n"
        "<boost_serialization signature=\"serialization::archive\" version=\"18\">\n"
        "<config class_id=\"0\" tracking_level=\"0\" version=\"0\">\n"
        "<resolutionScalePercentage>100</resolutionScalePercentage><worldWidth>190</worldWidth>"
        "<worldHeight>70</worldHeight><landArea>30</landArea><defaultSeed>" +
            defaultSeed +
            "</defaultSeed><numFactions>3</numFactions><childChance>5000</childChance>"
            "<humanName>Tester</humanName><logEnemies>0</logEnemies><foodConsumeRate>1</foodConsumeRate>"
            "<showPanningRectInGridView>1</showPanningRectInGridView>"
            "<gameSpeedMultiplier>100</gameSpeedMultiplier>\n</config>\n</boost_serialization>\n");
}
