#include "app/worldFiles.hpp"
#include "path/aStarGraph.hpp"
#include "support/settingsGuard.hpp"
#include "support/testFiles.hpp"

#include <boost/filesystem.hpp>
#include <gtest/gtest.h>
#include <sstream>

namespace {
aStarGraph quietGraph(int width, int height) {
    std::ostringstream log;
    return aStarGraph(width, height, log);
}
} // namespace

TEST(SavedGame, SeedReadsBackAndAMissingOrDamagedFileThrows) {
    settingsGuard guard;
    temporaryDirectory directory;
    EXPECT_ANY_THROW((void)loadSavedSeed(directory.path()));
    worldSeed = -1;
    saveGameData(directory.path());
    EXPECT_EQ(loadSavedSeed(directory.path()), 4294967295u);
    worldSeed = 11899;
    saveGameData(directory.path());
    EXPECT_EQ(loadSavedSeed(directory.path()), 11899u);
    writeTextFile(directory.file("gamedata.dat"), "not a saved game");
    EXPECT_ANY_THROW((void)loadSavedSeed(directory.path()));
}

TEST(GraphFile, DefaultWorldPayloadIsEveryColumnInOrder) {
    temporaryDirectory directory;
    const std::string path = directory.file("graph.dat");
    aStarGraph written = quietGraph(3600, 1300);
    written.mapGridTerrain.fill(0);
    written.mapGridTerrain(0, 0) = 0x01020304;
    written.mapGridTerrain(3599, 1299) = -2;
    saveGraph(written, path);

    const std::string bytes = readTextFile(path);
    const std::size_t payload = 3600u * 1300u * 4u;
    ASSERT_GT(bytes.size(), payload);
    EXPECT_EQ(payload, 18720000u);
    const std::size_t header = bytes.size() - payload;
    EXPECT_LT(header, 64u);
    EXPECT_EQ(bytes.substr(header, 4), std::string("\x04\x03\x02\x01", 4));
    EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string("\xfe\xff\xff\xff", 4));
}

TEST(GraphFile, WholeFileLoadsAndAShortForeignOrUnwritableFileIsRefused) {
    temporaryDirectory directory;
    const std::string path = directory.file("graph.dat");
    aStarGraph written = quietGraph(20, 10);
    for (int x = 0; x < 20; ++x) {
        for (int y = 0; y < 10; ++y) {
            written.mapGridTerrain(x, y) = x * 1000 - y * 7 - 9000;
        }
    }
    saveGraph(written, path);
    const std::string bytes = readTextFile(path);

    aStarGraph target = quietGraph(20, 10);
    loadGraph(target, path);
    EXPECT_EQ(std::vector<std::int32_t>(target.mapGridTerrain.data(), target.mapGridTerrain.data() + 200),
              std::vector<std::int32_t>(written.mapGridTerrain.data(), written.mapGridTerrain.data() + 200));

    writeTextFile(path, bytes.substr(0, bytes.size() - 1));
    EXPECT_ANY_THROW(loadGraph(target, path));
    writeTextFile(path, "");
    EXPECT_ANY_THROW(loadGraph(target, path));
    writeTextFile(path, std::string(2000, 'x'));
    EXPECT_ANY_THROW(loadGraph(target, path));
    boost::filesystem::remove(path);
    EXPECT_ANY_THROW(loadGraph(target, path));

    aStarGraph larger = quietGraph(21, 10);
    writeTextFile(path, bytes);
    EXPECT_ANY_THROW(loadGraph(larger, path)) << "a graph larger than the file cannot be filled";
    aStarGraph smaller = quietGraph(20, 9);
    EXPECT_ANY_THROW(loadGraph(smaller, path)) << "a graph smaller than the file would take a part of it";

    SCOPED_TRACE("a failed write names the path and leaves no file");
    const std::string unwritable = directory.file("missing-folder/graph.dat");
    try {
        saveGraph(written, unwritable);
        ADD_FAILURE() << "writing into a missing folder must fail";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find(unwritable), std::string::npos) << error.what();
    }
    EXPECT_FALSE(boost::filesystem::exists(unwritable));
}

TEST(WorldRecord, SeedAndSizeAreKeptAsPlainText) {
    temporaryDirectory directory;
    EXPECT_FALSE(loadWorldRecord(directory.path()).has_value());

    saveWorldRecord(directory.path(), worldRecord{-2147483647 - 1, 3600, 70});
    EXPECT_EQ(readTextFile(directory.file("world.txt")),
              "seed -2147483648\nworldWidth 3600\nworldHeight 70\n");
    const std::optional<worldRecord> loaded = loadWorldRecord(directory.path());
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->seed, -2147483647 - 1);
    EXPECT_EQ(loaded->width, 3600);
    EXPECT_EQ(loaded->height, 70);

    for (const auto& [text, line] : {std::pair{"seed 5\nworldWidth 190\n", 3}, std::pair{"seed 5x\n", 1},
                                     std::pair{"seed 5\nworldHeight 70\nworldWidth 190\n", 2}}) {
        writeTextFile(directory.file("world.txt"), text);
        try {
            static_cast<void>(loadWorldRecord(directory.path()));
            ADD_FAILURE() << text;
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find("world.txt, line " + std::to_string(line)),
                      std::string::npos)
                << error.what();
        }
    }
}

TEST(WorldFolder, LeftoverTemporaryFilesOfOurOwnNamesAreRemoved) {
    temporaryDirectory world;
    boost::filesystem::create_directories(world.file("images/3_4"));
    const std::vector<std::string> ours = {"graph.dat.0a1b2c.tmp",        "world.txt.ffffff.tmp",
                                           "gamedata.dat.123456.tmp",     "images/0_0.jpg.abcdef.tmp",
                                           "images/35_12.jpg.000000.tmp", "images/3_4/9_9.jpg.a0a0a0.tmp"};
    const std::vector<std::string> others = {"notes.tmp",
                                             "graph.dat.0A1B2C.tmp",
                                             "graph.dat.0a1b2.tmp",
                                             "mine.txt.abcdef.tmp",
                                             "images/0_0.jpg",
                                             "images/x_0.jpg.abcdef.tmp",
                                             "images/0_0.png.abcdef.tmp",
                                             "images/3_4/9_9.jpg",
                                             "images/keep/0_0.jpg.abcdef.tmp"};
    boost::filesystem::create_directories(world.file("images/keep"));
    for (const std::string& name : ours) {
        writeTextFile(world.file(name), "");
    }
    for (const std::string& name : others) {
        writeTextFile(world.file(name), "x");
    }
    removeLeftoverTemporaryFiles(world.path());
    for (const std::string& name : ours) {
        EXPECT_FALSE(boost::filesystem::exists(world.file(name))) << name;
    }
    for (const std::string& name : others) {
        EXPECT_TRUE(boost::filesystem::exists(world.file(name))) << name;
    }
}
