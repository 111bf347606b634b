#include "app/exitRequest.hpp"
#include "app/random.hpp"
#include "support/configFiles.hpp"
#include "support/settingsGuard.hpp"
#include "support/testFiles.hpp"

#include <gtest/gtest.h>

namespace {
/// What loadFromConfig wrote, and the exit it asked for ("" and -1 when the program goes on).
std::tuple<std::string, int, std::string> load(const std::string& path, const std::string& input = "") {
    std::ostringstream out;
    std::istringstream in(input);
    try {
        loadFromConfig(path, out, in);
    } catch (const exitRequest& request) {
        return {out.str(), request.exitCode(), request.what()};
    }
    return {out.str(), -1, ""};
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

std::string withValue(const std::string& name, const std::string& value) {
    return configText(defaultSettings({{name, value}}));
}
} // namespace

TEST(ConfigFile, AMissingFileIsWrittenFromTheGlobalsAndTheSettingsReadBack) {
    settingsGuard guard;
    temporaryDirectory directory;
    const std::string path = directory.file("config.xml");
    std::tie(worldWidth, humanName, logEnemies, foodConsumeRate, scale, gameSpeedMultiplier, worldSeed) =
        std::make_tuple(200, "Ada & <Co>", true, 3, 1.5f, 2.5f, 42);
    EXPECT_EQ(std::get<0>(load(path)), "Config file does not exist.\nGenerated default config file.\n");
    EXPECT_EQ(readTextFile(path), configText(defaultSettings({{"resolutionScalePercentage", "150"},
                                                              {"worldWidth", "200"},
                                                              {"humanName", "Ada &amp; &lt;Co&gt;"},
                                                              {"logEnemies", "1"},
                                                              {"foodConsumeRate", "3"},
                                                              {"gameSpeedMultiplier", "250"}})) +
                                      "\n")
        << "a seed is never written";
    std::tie(worldWidth, humanName, logEnemies, foodConsumeRate, scale, gameSpeedMultiplier) =
        std::make_tuple(360, "", false, 1, 1.0f, 1.0f);
    EXPECT_EQ(std::get<0>(load(path)), "Loaded config file.\nSet global variables from config file.\n");
    EXPECT_EQ(std::make_tuple(worldWidth, humanName, logEnemies, foodConsumeRate, scale, gameSpeedMultiplier,
                              worldSeed, useSpecifiedSeed),
              std::make_tuple(200, std::string("Ada & <Co>"), true, 3, 1.5f, 2.5f, 42, false))
        << "RANDOM leaves the seed chosen elsewhere";
    writeTextFile(path, withValue("defaultSeed", "-7"));
    load(path);
    EXPECT_EQ(std::make_tuple(worldSeed, useSpecifiedSeed, randomRange(0, 32767)),
              std::make_tuple(-7, true, 13204))
        << "a fixed seed, and the random source seeded with it: the reference generator's first draw for -7";
}

TEST(ConfigFile, AMistakeStopsNamingItsLineAndLeavesTheFileAsItIs) {
    settingsGuard guard;
    temporaryDirectory directory;
    const std::string path = directory.file("config.xml");
    const std::string plain = configText(defaultSettings());
    auto swapped = defaultSettings();
    std::swap(swapped[1], swapped[2]);
    std::string lenient =
        configText(defaultSettings({{"worldWidth", " 190 "}, {"logEnemies", "\r\n 1\t"}}), "11");
    lenient = replaced(replaced(lenient, "\t<worldWidth>", "\t<!-- a <small> world -->\n\t<worldWidth>"),
                       "<logEnemies>", "<logEnemies><!-- yes -->");
    const std::string width = "; it must be a multiple of 10 from 190 to 3600.";
    settingElements older = defaultSettings();
    older.pop_back(); // from before autosaveDays
    const std::tuple<std::string, int, std::string> files[] = {
        // the text, the line and the problem; none: accepted
        {withValue("worldWidth", "185"), 6, "worldWidth is 185" + width},
        {withValue("worldWidth", "190abc"), 6,
         "worldWidth is \"190abc\"; it must be a whole number, a multiple of 10 from 190 to 3600."},
        {withValue("landArea", "100"), 8, "landArea is 100; it must be from 1 to 99."},
        {withValue("logEnemies", "true"), 13, "logEnemies is \"true\"; it must be 0 or 1."},
        {withValue("gameSpeedMultiplier", "2147483648"), 16,
         "gameSpeedMultiplier is 2147483648; it must be from -2147483648 to 2147483647."},
        {configText(swapped), 6,
         "expected <worldWidth>, found <worldHeight>. The settings must come in the order of a newly written "
         "config.xml."},
        {replaced(plain, "<landArea>", "<!-- <landArea>"), 8, "a comment (<!--) is not closed by -->."},
        {plain.substr(0, plain.find("\t<logEnemies>")), 13,
         "the file ends before <logEnemies>; it may be cut short."},
        {plain.substr(0, plain.size() - 10), 19, "a tag is not closed by \">\"; the file may be cut short."},
        {plain + "<more/>\n", 20, "there is more after </boost_serialization>."},
        {withValue("worldWidth", "3600"), 0, ""},
        {withValue("gameSpeedMultiplier", "-2147483648"), 0, ""},
        {withValue("autosaveDays", "3651"), 17, "autosaveDays is 3651; it must be from 0 to 3650."},
        {replaced(withValue("autosaveDays", "0"), "\t<autosaveDays>", "<!-- off -->\t<autosaveDays>"), 0, ""},
        {configText(older), 0, ""},
        {lenient, 0, ""}};
    for (const auto& [text, line, problem] : files) {
        worldWidth = 360;
        writeTextFile(path, text);
        const std::string said = path + ", line " + std::to_string(line) + ": " + problem +
                                 " Fix the file or delete it to have a default one written.";
        EXPECT_EQ(load(path),
                  problem.empty()
                      ? std::make_tuple(
                            std::string("Loaded config file.\nSet global variables from config file.\n"), -1,
                            std::string())
                      : std::make_tuple(std::string(), 1, said));
        EXPECT_EQ(readTextFile(path), text);
        EXPECT_TRUE(problem.empty() || worldWidth == 360) << "a refused file changes no setting";
    }
    EXPECT_EQ(std::make_pair(worldWidth, logEnemies), std::make_pair(190, true))
        << "the last file: spaces and comments are read leniently";
    writeTextFile(path, configText(older));
    std::ostringstream out;
    EXPECT_EQ(loadFromConfig(path, out).autosaveDays, 30) << "a file from before autosaveDays: its default";
    // The archive reads the closing tags when it is destroyed: a file cut there must not end the program.
    for (std::size_t length = 0; length + 1 < plain.size(); ++length) {
        writeTextFile(path, plain.substr(0, length));
        ASSERT_EQ(std::get<1>(load(path)), 1) << "cut after " << length << " bytes";
    }
}
