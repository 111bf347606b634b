#include "app/exitRequest.hpp"
#include "app/nameLists.hpp"
#include "app/random.hpp"
#include "support/testFiles.hpp"

#include <gtest/gtest.h>
#include <set>

TEST(NameLists, LinesAreReadWithOrWithoutAFinalNewline) {
    temporaryDirectory directory;
    const std::string path = directory.file("names.txt");
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"Ann\nBo\nCy\n", {"Ann", "Bo", "Cy"}},
        {"Ann\nBo\nCy", {"Ann", "Bo", "Cy"}},
        {"Ann\n\nCy\n", {"Ann", "", "Cy"}},
        {"Ann\r\nBo\r\n", {"Ann", "Bo"}},
        {"", {}}};
    for (const auto& [text, lines] : cases) {
        writeTextFile(path, text);
        EXPECT_EQ(readLinesFromFile(path, 128), lines) << text;
    }
}

TEST(NameLists, LongLinesAreCutIntoPieces) {
    temporaryDirectory directory;
    const std::string path = directory.file("names.txt");
    writeTextFile(path, std::string(200, 'a') + "\n" + std::string(127, 'b') + "\nc\n");
    const std::vector<std::string> lines = readLinesFromFile(path, 128);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], std::string(127, 'a'));
    EXPECT_EQ(lines[1], std::string(73, 'a'));
    EXPECT_EQ(lines[2], std::string(127, 'b')) << "a line that just fits gives no extra empty entry";
    EXPECT_EQ(lines[3], "c");
}

TEST(NameLists, LoadedListsAreDrawnFrom) {
    temporaryDirectory directory;
    writeTextFile(directory.file("factionNames.txt"), "Reds\nBlues\n");
    writeTextFile(directory.file("cityNames.txt"), "Oakton\n");
    writeTextFile(directory.file("commanderNames.txt"), "Ida\nJon\nKai\n");
    loadNameLists(directory.path());

    EXPECT_EQ(commanderNameList.size(), 3u);
    seed(3u);
    std::set<std::string> factions;
    for (int i = 0; i < 50; ++i) {
        factions.insert(selectRandomFactionName());
        EXPECT_EQ(selectRandomCityName(), "Oakton");
    }
    EXPECT_EQ(factions, (std::set<std::string>{"Blues", "Reds"}));
}

TEST(NameLists, MissingOrEmptyNameFileStopsNamingTheFile) {
    temporaryDirectory directory;
    writeTextFile(directory.file("factionNames.txt"), "Reds\n");
    // First the city list is empty; once it is filled, the commander list is missing.
    for (const auto& [cityNames, named] :
         {std::pair{"", "cityNames.txt"}, std::pair{"Oakton\n", "commanderNames.txt"}}) {
        SCOPED_TRACE(named);
        writeTextFile(directory.file("cityNames.txt"), cityNames);
        try {
            loadNameLists(directory.path());
            ADD_FAILURE() << "the program went on";
        } catch (const exitRequest& request) {
            EXPECT_EQ(request.exitCode(), 1);
            EXPECT_NE(std::string(request.what()).find(named), std::string::npos) << request.what();
        }
    }
}

TEST(NameLists, ShippedAssetsHoldAtLeastAHundredNamesEach) {
    for (const std::string file : {"factionNames.txt", "cityNames.txt", "commanderNames.txt"}) {
        const auto names = readLinesFromFile(std::string(KESTROVA_SOURCE_DIR) + "/assets/" + file, 128);
        EXPECT_GE(names.size(), 100u) << file;
        EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size()) << file;
        for (const auto& name : names) {
            EXPECT_FALSE(name.empty()) << file;
        }
    }
}
