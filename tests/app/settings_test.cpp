#include "app/exitRequest.hpp"
#include "app/random.hpp"
#include "app/settings.hpp"
#include "support/settingsGuard.hpp"
#include "support/testFiles.hpp"

#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace {
std::string configText(const std::vector<std::pair<std::string, std::string>>& elements,
                       const std::string& archiveVersion = "18") {
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\n"
                       "<!DOCTYPE boost_serialization>\n"
                       "<boost_serialization signature=\"serialization::archive\" version=\"" +
                       archiveVersion +
                       "\">\n"
                       "<config class_id=\"0\" tracking_level=\"0\" version=\"0\">\n";
    for (const auto& [name, value] : elements) {
        text += "\t<" + name + ">" + value + "</" + name + ">\n";
    }
    return text + "</config>\n</boost_serialization>\n";
}

std::vector<std::pair<std::string, std::string>> defaults() {
    return {{"resolutionScalePercentage", "100"},
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
            {"gameSpeedMultiplier", "100"}};
}

std::vector<std::pair<std::string, std::string>>
with(std::vector<std::pair<std::string, std::string>> elements, const std::string& name,
     const std::string& value) {
    for (auto& element : elements) {
        if (element.first == name) {
            element.second = value;
        }
    }
    return elements;
}

/// Every element of the form <name>text</name>, in document order.
std::vector<std::pair<std::string, std::string>> leafElements(const std::string& text) {
    std::vector<std::pair<std::string, std::string>> found;
    for (std::size_t open = text.find('<'); open != std::string::npos; open = text.find('<', open + 1)) {
        const std::size_t nameEnd = text.find('>', open);
        const std::string name = text.substr(open + 1, nameEnd - open - 1);
        if (name.empty() || name.find_first_of(" /?!") != std::string::npos) {
            continue;
        }
        const std::size_t close = text.find("</" + name + ">", nameEnd);
        const std::string value = text.substr(nameEnd + 1, close - nameEnd - 1);
        if (close != std::string::npos && value.find('<') == std::string::npos) {
            found.emplace_back(name, value);
        }
    }
    return found;
}

struct loadResult {
    std::string output;
    int exitCode = -1; // -1: no exit was requested
    std::string message;
};

loadResult load(const std::string& path, const std::string& input = "") {
    std::ostringstream out;
    std::istringstream in(input);
    loadResult result;
    try {
        loadFromConfig(path, out, in);
    } catch (const exitRequest& request) {
        result.exitCode = request.exitCode();
        result.message = request.what();
    }
    result.output = out.str();
    return result;
}
} // namespace

TEST(ConfigFile, MissingFileIsWrittenWithTheDefaultsInOrder) {
    settingsGuard guard;
    temporaryDirectory directory;
    const std::string path = directory.file("config.xml");

    const loadResult result = load(path);

    EXPECT_EQ(result.exitCode, -1);
    EXPECT_EQ(result.output, "Config file does not exist.\nGenerated default config file.\n");
    const std::string text = readTextFile(path);
    EXPECT_EQ(leafElements(text), defaults());
    EXPECT_NE(text.find("<boost_serialization signature=\"serialization::archive\""), std::string::npos);
    EXPECT_FALSE(boost::filesystem::exists(path + ".tmp"));
}

TEST(ConfigFile, ChangedValuesRoundTripAndPercentagesBecomeFactors) {
    settingsGuard guard;
    temporaryDirectory directory;
    const std::string path = directory.file("config.xml");
    {
        settingsGuard written;
        worldWidth = 200;
        numFactions = 7;
        humanName = "Ada & <Co>";
        logEnemies = true;
        showPanningRectInGridView = false;
        scale = 1.5f;
        gameSpeedMultiplier = 2.5f;
        ASSERT_EQ(load(path).exitCode, -1);
    }
    const loadResult result = load(path);

    EXPECT_EQ(result.output, "Loaded config file.\nSet global variables from config file.\n");
    EXPECT_EQ(worldWidth, 200);
    EXPECT_EQ(numFactions, 7);
    EXPECT_EQ(humanName, "Ada & <Co>");
    EXPECT_TRUE(logEnemies);
    EXPECT_FALSE(showPanningRectInGridView);
    EXPECT_FLOAT_EQ(scale, 1.5f);
    EXPECT_FLOAT_EQ(gameSpeedMultiplier, 2.5f);
    EXPECT_NE(readTextFile(path).find("<resolutionScalePercentage>150<"), std::string::npos);
    EXPECT_NE(readTextFile(path).find("<gameSpeedMultiplier>250<"), std::string::npos);
}

TEST(ConfigFile, FileFromAnOlderArchiveVersionLoads) {
    settingsGuard guard;
    temporaryDirectory directory;
    const std::string path = directory.file("config.xml");
    writeTextFile(path, configText(with(defaults(), "numFactions", "12"), "11"));
    const loadResult result = load(path);
    EXPECT_EQ(result.exitCode, -1) << result.message;
    EXPECT_EQ(numFactions, 12);
}

TEST(ConfigFile, DefaultSeedChoosesBetweenFixedAndRandom) {
    settingsGuard guard;
    temporaryDirectory directory;
    const std::string path = directory.file("config.xml");

    worldSeed = 777;
    useSpecifiedSeed = false;
    writeTextFile(path, configText(defaults()));
    ASSERT_EQ(load(path).exitCode, -1);
    EXPECT_EQ(worldSeed, 777);
    EXPECT_FALSE(useSpecifiedSeed);

    writeTextFile(path, configText(with(defaults(), "defaultSeed", "42")));
    ASSERT_EQ(load(path).exitCode, -1);
    EXPECT_EQ(worldSeed, 42);
    EXPECT_TRUE(useSpecifiedSeed);
    const int drawn = randomRange(0, 32767);
    seed(42u);
    EXPECT_EQ(randomRange(0, 32767), drawn) << "the random source is seeded with the fixed seed";

    for (const std::string bad : {"random", "4 2", ""}) {
        worldSeed = 5;
        useSpecifiedSeed = false;
        writeTextFile(path, configText(with(defaults(), "defaultSeed", bad)));
        const loadResult result = load(path, "x");
        EXPECT_EQ(result.exitCode, 1) << bad;
        EXPECT_EQ(result.output,
                  "Loaded config file.\n"
                  "Error: bad lexical cast: source type value could not be interpreted as target\n"
                  "Seed must be an integer or 'RANDOM'. Please edit the config. Press any key to "
                  "exit.\n")
            << bad;
        EXPECT_EQ(worldSeed, 5) << bad;
        EXPECT_FALSE(useSpecifiedSeed) << bad;
    }
}

TEST(ConfigFile, UnreadableFileStopsAndIsLeftUntouched) {
    settingsGuard guard;
    temporaryDirectory directory;
    const std::string path = directory.file("config.xml");
    auto swapped = defaults();
    std::swap(swapped[1], swapped[2]);
    auto missing = defaults();
    missing.erase(missing.begin() + 4);
    const std::vector<std::string> broken = {
        configText(swapped),
        configText(missing),
        configText(with(defaults(), "worldWidth", "wide")),
        "<?xml version=\"1.0\"?>\n<boost_serialization",
        "",
    };
    for (const std::string& text : broken) {
        writeTextFile(path, text);
        const loadResult result = load(path);
        EXPECT_EQ(result.exitCode, 1) << text;
        EXPECT_NE(result.message.find(path), std::string::npos) << result.message;
        EXPECT_NE(result.message.find("delete"), std::string::npos) << result.message;
        EXPECT_EQ(result.output, "");
        EXPECT_EQ(readTextFile(path), text);
        EXPECT_EQ(worldWidth, 360);
    }
}

TEST(ConfigFile, UnusableValuesAreRefusedNamingTheSetting) {
    settingsGuard guard;
    temporaryDirectory directory;
    const std::string path = directory.file("config.xml");
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"worldWidth", "185"}, {"worldWidth", "180"},
        {"worldHeight", "65"}, {"worldHeight", "75"},
        {"landArea", "0"},     {"landArea", "100"},
        {"numFactions", "0"},  {"resolutionScalePercentage", "0"},
        {"childChance", "-1"}, {"foodConsumeRate", "-2"},
    };
    for (const auto& [name, value] : refused) {
        const std::string text = configText(with(defaults(), name, value));
        writeTextFile(path, text);
        const loadResult result = load(path);
        EXPECT_EQ(result.exitCode, 1) << name << "=" << value;
        EXPECT_NE(result.message.find(name + " is " + value), std::string::npos) << result.message;
        EXPECT_EQ(readTextFile(path), text);
    }
    const std::vector<std::pair<std::string, std::string>> accepted = {
        {"worldWidth", "190"}, {"worldHeight", "70"}, {"landArea", "1"},       {"landArea", "99"},
        {"numFactions", "1"},  {"childChance", "0"},  {"foodConsumeRate", "0"}};
    for (const auto& [name, value] : accepted) {
        writeTextFile(path, configText(with(defaults(), name, value)));
        EXPECT_EQ(load(path).exitCode, -1) << name << "=" << value;
    }
}
