#pragma once

#include <string>
#include <utility>
#include <vector>

/// The settings elements of a config.xml, in order: name and text.
using settingElements = std::vector<std::pair<std::string, std::string>>;

/// config.xml as the XML archive writes it: four lines of framing, then one line per element (the first on
/// line 5).
inline std::string configText(const settingElements& elements, const std::string& archiveVersion = "18") {
    std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\n<!DOCTYPE boost_serialization>\n"
        "<boost_serialization signature=\"serialization::archive\" version=\"" +
        archiveVersion + "\">\n<config class_id=\"0\" tracking_level=\"0\" version=\"0\">\n";
    for (const auto& [name, value] : elements) {
        text += "\t<" + name + ">" + value + "</" + name + ">\n";
    }
    return text + "</config>\n</boost_serialization>\n";
}

/// The elements of a newly written config.xml, each text replaced where `changes` names its element.
inline settingElements defaultSettings(const settingElements& changes = {}) {
    settingElements elements = {{"resolutionScalePercentage", "100"},
                                {"worldWidth", "360"},
                                {"worldHeight", "130"},
                                {"landArea", "30"},
                                {"defaultSeed", "RANDOM"},
                                {"numFactions", "50"},
                                {"childChance", "5000"},
                                {"humanName", "Human Player"},
                                {"logEnemies", "0"},
                                {"foodConsumeRate", "1"},
                                {"showPanningRectInGridView", "1"},
                                {"gameSpeedMultiplier", "100"},
                                {"autosaveDays", "30"}};
    for (const auto& [name, value] : changes) {
        for (auto& element : elements) {
            element.second = element.first == name ? value : element.second;
        }
    }
    return elements;
}
