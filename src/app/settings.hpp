#pragma once

#include "app/configText.hpp"

#include <boost/serialization/nvp.hpp>
#include <boost/serialization/string.hpp>
#include <iostream>
#include <string>

// Settings globals with their built-in defaults; config.xml overrides some of them at every run.
extern int width;
extern int height;
extern float resolution;
extern float scale;
extern float gameSpeedMultiplier;
extern int worldWidth;
extern int worldHeight;
extern float worldScale;
extern int worldSeed;
extern bool useSpecifiedSeed;
extern int gradual;
extern int lArea;
extern int numFactions;
extern int childChance;
extern int foodConsumeRate;
extern std::string humanName;
extern bool logEnemies;
extern bool showPanningRectInGridView;

/// The settings as config.xml stores them.
struct configData {
    int childChance;
    int foodConsumeRate;
    bool logEnemies;
    std::string defaultSeed;
    std::string humanName;
    int resolutionScalePercentage;
    int worldWidth;
    int worldHeight;
    int landArea;
    int numFactions;
    int gameSpeedMultiplier;
    bool showPanningRectInGridView;
    /// Game days between autosaves; 0: none. Held by no global: the run takes it from the record.
    int autosaveDays = DEFAULT_AUTOSAVE_DAYS;

    /// Fills the record from the current globals; `defaultSeed` is always "RANDOM".
    configData();

    /// Applies the record to the globals; a numeric `defaultSeed` also fixes and seeds `worldSeed`.
    void setGlobals() const;

    template <class Archive> void serialize(Archive& archive, unsigned int /*version*/) {
        archive& BOOST_SERIALIZATION_NVP(resolutionScalePercentage);
        archive& BOOST_SERIALIZATION_NVP(worldWidth);
        archive& BOOST_SERIALIZATION_NVP(worldHeight);
        archive& BOOST_SERIALIZATION_NVP(landArea);
        archive& BOOST_SERIALIZATION_NVP(defaultSeed);
        archive& BOOST_SERIALIZATION_NVP(numFactions);
        archive& BOOST_SERIALIZATION_NVP(childChance);
        archive& BOOST_SERIALIZATION_NVP(humanName);
        archive& BOOST_SERIALIZATION_NVP(logEnemies);
        archive& BOOST_SERIALIZATION_NVP(foodConsumeRate);
        archive& BOOST_SERIALIZATION_NVP(showPanningRectInGridView);
        archive& BOOST_SERIALIZATION_NVP(gameSpeedMultiplier);
        archive& BOOST_SERIALIZATION_NVP(autosaveDays);
    }
};

/// Writes `path` from the current globals when it is missing, otherwise reads it and applies it. Returns
/// the record written or applied. An unreadable file or an unusable value stops the program (exitRequest)
/// and leaves the file as it is.
configData loadFromConfig(const std::string& path = "config.xml", std::ostream& out = std::cout,
                          std::istream& in = std::cin);

/// Converts a whole seed text (optional sign, decimal digits, within the int range) or throws
/// boost::bad_lexical_cast.
int parseSeed(const std::string& text);
