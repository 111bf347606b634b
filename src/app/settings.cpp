#include "app/settings.hpp"

#include "app/atomicFile.hpp"
#include "app/configText.hpp"
#include "app/exitRequest.hpp"
#include "app/random.hpp"

#include <boost/archive/xml_iarchive.hpp>
#include <boost/archive/xml_oarchive.hpp>
#include <boost/filesystem/operations.hpp>
#include <boost/lexical_cast.hpp>
#include <fstream>
#include <iterator>
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
configData readConfig(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (!file) {
        throw exitRequest(1, "Cannot read " + path +
                                 ". Check its permissions, or delete it to have a default one written.");
    }
    const std::string advice = " Fix the file or delete it to have a default one written.";
    std::istringstream checked;
    try {
        checked.str(checkConfigText(text));
    } catch (const configTextError& error) {
        const std::string where = error.line() > 0 ? ", line " + std::to_string(error.line()) : "";
        throw exitRequest(1, path + where + ": " + error.what() + advice);
    }
    configData record;
    try {
        // The check above guarantees the closing tags, which the archive reads in its destructor.
        boost::archive::xml_iarchive archive(checked);
        archive >> boost::serialization::make_nvp("config", record);
    } catch (const std::exception& error) {
        throw exitRequest(1,
                          path + " could not be read as a settings archive (" + error.what() + ")." + advice);
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

configData loadFromConfig(const std::string& path, std::ostream& out, std::istream& in) {
    const configData current;
    if (!boost::filesystem::exists(path)) {
        out << "Config file does not exist.\n";
        writeConfig(path, current);
        out << "Generated default config file.\n";
        return current;
    }
    const configData record = readConfig(path);
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
    return record;
}
