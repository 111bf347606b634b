#include "app/exitRequest.hpp"
#include "app/nameLists.hpp"
#include "app/random.hpp"
#include "support/testFiles.hpp"

#include <gtest/gtest.h>
#include <set>

TEST(NameLists, LinesAreReadWithOrWithoutAFinalNewline) {
    temporaryDirectory directory;
    const std::string path = directory.file("names.txt");

    writeTextFile(path, "Ann\nBo\nCy\n");
    EXPECT_EQ(readLinesFromFile(path, 128), (std::vector<std::string>{"Ann", "Bo", "Cy"}));
    writeTextFile(path, "Ann\nBo\nCy");
    EXPECT_EQ(readLinesFromFile(path, 128), (std::vector<std::string>{"Ann", "Bo", "Cy"}));
    writeTextFile(path, "Ann\n\nCy\n");
    EXPECT_EQ(readLinesFromFile(path, 128), (std::vector<std::string>{"Ann", "", "Cy"}));
    writeTextFile(path, "Ann\r\nBo\r\n");
    EXPECT_EQ(readLinesFromFile(path, 128), (std::vector<std::string>{"Ann", "Bo"}));
    writeTextFile(path, "");
    EXPECT_TRUE(readLinesFromFile(path, 128).empty());
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
    writeTextFile(directory.file("cityNames.txt"), "");
    try {
        loadNameLists(directory.path());
        FAIL() << "an empty city list must stop the program";
    } catch (const exitRequest& request) {
        EXPECT_EQ(request.exitCode(), 1);
        EXPECT_NE(std::string(request.what()).find("cityNames.txt"), std::string::npos) << request.what();
    }
    writeTextFile(directory.file("cityNames.txt"), "Oakton\n");
    try {
        loadNameLists(directory.path());
        FAIL() << "a missing commander list must stop the program";
    } catch (const exitRequest& request) {
        EXPECT_EQ(request.exitCode(), 1);
        EXPECT_NE(std::string(request.what()).find("commanderNames.txt"), std::string::npos)
            << request.what();
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
