#include "app/settings.hpp"

#include "app/atomicFile.hpp"
#include "app/exitRequest.hpp"
#include "app/random.hpp"

#include <boost/archive/xml_iarchive.hpp>
#include <boost/archive/xml_oarchive.hpp>
#include <boost/filesystem/operations.hpp>
#include <boost/lexical_cast.hpp>
#include <fstream>
#include <sstream>

int width = 1920;
int height = 1080;
float resolution = 1.0f;
float scale = 1.0f;
float gameSpeedMultiplier = 1.0f;
int worldWidth = 360;
int worldHeight = 130;
float worldScale = 1.0f;
int worldSeed = 11899;
bool useSpecifiedSeed = false;
int gradual = 3000;
int lArea = 30;
int numFactions = 50;
int childChance = 5000;
int foodConsumeRate = 1;
std::string humanName = "Human Player";
bool logEnemies = false;
bool showPanningRectInGridView = true;

configData::configData()
    : childChance(::childChance), foodConsumeRate(::foodConsumeRate), logEnemies(::logEnemies),
      defaultSeed("RANDOM"), humanName(::humanName), resolutionScalePercentage(static_cast<int>(scale * 100)),
      worldWidth(::worldWidth), worldHeight(::worldHeight), landArea(lArea), numFactions(::numFactions),
      gameSpeedMultiplier(static_cast<int>(100 * ::gameSpeedMultiplier)),
      showPanningRectInGridView(::showPanningRectInGridView) {}

int parseSeed(const std::string& text) {
    return boost::lexical_cast<int>(text);
}

void configData::setGlobals() const {
    // Convert first, so that a bad seed leaves every global untouched.
    const bool randomSeed = defaultSeed == "RANDOM";
    const int fixedSeed = randomSeed ? 0 : parseSeed(defaultSeed);
    ::worldHeight = worldHeight;
    ::worldWidth = worldWidth;
    lArea = landArea;
    ::numFactions = numFactions;
    ::childChance = childChance;
    scale = static_cast<float>(resolutionScalePercentage) / 100.0f;
    ::foodConsumeRate = foodConsumeRate;
    ::logEnemies = logEnemies;
    ::showPanningRectInGridView = showPanningRectInGridView;
    ::humanName = humanName;
    ::gameSpeedMultiplier = static_cast<float>(gameSpeedMultiplier) / 100.0f;
    if (randomSeed) {
        return;
    }
    useSpecifiedSeed = true;
    worldSeed = fixedSeed;
    seed(static_cast<unsigned int>(fixedSeed));
}

namespace {
std::string outOfRange(const char* name, int value, const char* allowed) {
    std::ostringstream text;
    text << name << " is " << value << "; it must be " << allowed << ".";
    return text.str();
}
} // namespace

std::string configData::problem() const {
    if (worldWidth < 190 || worldWidth % 10 != 0) {
        return outOfRange("worldWidth", worldWidth, "a multiple of 10 and at least 190");
    }
    if (worldHeight < 70 || worldHeight % 10 != 0) {
        return outOfRange("worldHeight", worldHeight, "a multiple of 10 and at least 70");
    }
    if (landArea < 1 || landArea > 99) {
        return outOfRange("landArea", landArea, "from 1 to 99");
    }
    if (numFactions < 1) {
        return outOfRange("numFactions", numFactions, "at least 1");
    }
    if (resolutionScalePercentage <= 0) {
        return outOfRange("resolutionScalePercentage", resolutionScalePercentage, "above 0");
    }
    if (childChance < 0) {
        return outOfRange("childChance", childChance, "at least 0");
    }
    if (foodConsumeRate < 0) {
        return outOfRange("foodConsumeRate", foodConsumeRate, "at least 0");
    }
    return {};
}

namespace {
configData readConfig(const std::string& path) {
    std::ifstream file(path);
    if (!file) {
        throw exitRequest(1, "Cannot open " + path +
                                 " for reading. Check its permissions, or delete it to have "
                                 "a default one written.");
    }
    configData record;
    try {
        boost::archive::xml_iarchive archive(file);
        archive >> boost::serialization::make_nvp("config", record);
    } catch (const std::exception& error) {
        throw exitRequest(1, path + " could not be read (" + error.what() +
                                 "). Fix the file or delete it to have a default one written.");
    }
    return record;
}

void writeConfig(const std::string& path, const configData& record) {
    writeFileAtomically(path, std::ios::out, [&](std::ostream& file) {
        boost::archive::xml_oarchive archive(file);
        archive << boost::serialization::make_nvp("config", record);
    });
}
} // namespace

void loadFromConfig(const std::string& path, std::ostream& out, std::istream& in) {
    const configData current;
    if (!boost::filesystem::exists(path)) {
        out << "Config file does not exist.\n";
        writeConfig(path, current);
        out << "Generated default config file.\n";
        return;
    }
    const configData record = readConfig(path);
    const std::string problem = record.problem();
    if (!problem.empty()) {
        throw exitRequest(1, path + ": " + problem +
                                 " Fix the setting or delete the file to have a default one "
                                 "written.");
    }
    out << "Loaded config file.\n";
    try {
        record.setGlobals();
    } catch (const boost::bad_lexical_cast& error) {
        out << "Error: " << error.what() << "\n"
            << "Seed must be an integer or 'RANDOM'. Please edit the config. Press any key to exit."
            << "\n";
        out.flush();
        in.get();
        throw exitRequest(1, "");
    }
    out << "Set global variables from config file.\n";
}
