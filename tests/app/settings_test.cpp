#include "app/exitRequest.hpp"
#include "app/random.hpp"
#include "app/settings.hpp"
#include "support/configFiles.hpp"
#include "support/settingsGuard.hpp"
#include "support/testFiles.hpp"

#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace {
/// Every element of the form <name>text</name>, in document order.
settingElements leafElements(const std::string& text) {
    settingElements found;
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
    EXPECT_EQ(leafElements(text), defaultSettings());
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

TEST(ConfigFile, OlderArchiveAndHandEditedFilesLoad) {
    settingsGuard guard;
    temporaryDirectory directory;
    const std::string path = directory.file("config.xml");
    writeTextFile(path, configText(with(defaultSettings(), "numFactions", "12"), "11"));
    loadResult result = load(path);
    EXPECT_EQ(result.exitCode, -1) << result.message;
    EXPECT_EQ(numFactions, 12);

    SCOPED_TRACE("a comment and spaced numbers, the file left as the user wrote it");
    std::string text =
        configText(with(with(defaultSettings(), "worldWidth", " 190 "), "logEnemies", "\n1\n"));
    text.insert(text.find("\t<worldWidth>"), "\t<!-- a small world -->\n");
    writeTextFile(path, text);
    result = load(path);
    EXPECT_EQ(result.exitCode, -1) << result.message;
    EXPECT_EQ(worldWidth, 190);
    EXPECT_TRUE(logEnemies);
    EXPECT_EQ(readTextFile(path), text);
}

TEST(ConfigFile, DefaultSeedChoosesBetweenFixedAndRandom) {
    settingsGuard guard;
    temporaryDirectory directory;
    const std::string path = directory.file("config.xml");

    worldSeed = 777;
    useSpecifiedSeed = false;
    writeTextFile(path, configText(defaultSettings()));
    ASSERT_EQ(load(path).exitCode, -1);
    EXPECT_EQ(worldSeed, 777);
    EXPECT_FALSE(useSpecifiedSeed);

    writeTextFile(path, configText(with(defaultSettings(), "defaultSeed", "42")));
    ASSERT_EQ(load(path).exitCode, -1);
    EXPECT_EQ(worldSeed, 42);
    EXPECT_TRUE(useSpecifiedSeed);
    const int drawn = randomRange(0, 32767);
    seed(42u);
    EXPECT_EQ(randomRange(0, 32767), drawn) << "the random source is seeded with the fixed seed";

    for (const std::string bad : {"random", "4 2", ""}) {
        worldSeed = 5;
        useSpecifiedSeed = false;
        writeTextFile(path, configText(with(defaultSettings(), "defaultSeed", bad)));
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
    auto swapped = defaultSettings();
    std::swap(swapped[1], swapped[2]);
    auto missing = defaultSettings();
    missing.erase(missing.begin() + 4);
    const std::vector<std::string> broken = {
        configText(swapped),
        configText(missing),
        configText(with(defaultSettings(), "worldWidth", "wide")),
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

TEST(ConfigFile, FileCutShortAnywhereStopsWithAMessage) {
    // The archive reads the closing tags when it is destroyed; a file cut there must not end the program.
    settingsGuard guard;
    temporaryDirectory directory;
    const std::string path = directory.file("config.xml");
    const std::string whole = configText(defaultSettings());
    for (std::size_t length = 0; length + 1 < whole.size(); ++length) {
        writeTextFile(path, whole.substr(0, length));
        const loadResult result = load(path);
        ASSERT_EQ(result.exitCode, 1) << "cut after " << length << " bytes";
        ASSERT_EQ(result.message.rfind(path, 0), 0u) << result.message;
    }
    writeTextFile(path, whole.substr(0, whole.size() - 1));
    EXPECT_EQ(load(path).exitCode, -1) << "only the last line end missing";
}

TEST(ConfigFile, ValuesOutsideTheirRangesAreRefusedNamingTheSetting) {
    settingsGuard guard;
    temporaryDirectory directory;
    const std::string path = directory.file("config.xml");
    struct refusal {
        std::string name, value, allowed;
    };
    const std::string width = "a multiple of 10 from 190 to 3600",
                      height = "a multiple of 10 from 70 to 1300";
    const std::vector<refusal> refused = {
        {"worldWidth", "185", width},
        {"worldWidth", "180", width},
        {"worldWidth", "3610", width},
        {"worldWidth", "300000000", width},
        {"worldHeight", "65", height},
        {"worldHeight", "75", height},
        {"worldHeight", "1310", height},
        {"landArea", "0", "from 1 to 99"},
        {"landArea", "100", "from 1 to 99"},
        {"numFactions", "0", "from 1 to 1000"},
        {"numFactions", "1001", "from 1 to 1000"},
        {"resolutionScalePercentage", "0", "from 1 to 1000"},
        {"resolutionScalePercentage", "1001", "from 1 to 1000"},
        {"childChance", "-1", "from 0 to 2147483647"},
        {"foodConsumeRate", "-2", "from 0 to 1000"},
        {"foodConsumeRate", "1001", "from 0 to 1000"},
        {"gameSpeedMultiplier", "2147483648", "from -2147483648 to 2147483647"},
    };
    for (const refusal& each : refused) {
        const std::string text = configText(with(defaultSettings(), each.name, each.value));
        writeTextFile(path, text);
        const loadResult result = load(path);
        EXPECT_EQ(result.exitCode, 1) << each.name << "=" << each.value;
        EXPECT_NE(result.message.find(": " + each.name + " is " + each.value + "; it must be " +
                                      each.allowed + "."),
                  std::string::npos)
            << result.message;
        EXPECT_EQ(result.output, "");
        EXPECT_EQ(readTextFile(path), text);
        EXPECT_EQ(worldWidth, 360);
    }
    const settingElements accepted = {{"worldWidth", "190"},
                                      {"worldWidth", "3600"},
                                      {"worldHeight", "70"},
                                      {"worldHeight", "1300"},
                                      {"landArea", "1"},
                                      {"landArea", "99"},
                                      {"numFactions", "1"},
                                      {"numFactions", "1000"},
                                      {"resolutionScalePercentage", "1000"},
                                      {"childChance", "0"},
                                      {"childChance", "2147483647"},
                                      {"foodConsumeRate", "0"},
                                      {"foodConsumeRate", "1000"},
                                      {"gameSpeedMultiplier", "-2147483648"}};
    for (const auto& [name, value] : accepted) {
        writeTextFile(path, configText(with(defaultSettings(), name, value)));
        EXPECT_EQ(load(path).exitCode, -1) << name << "=" << value;
    }
}
