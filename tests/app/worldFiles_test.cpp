#include "app/worldFiles.hpp"
#include "path/aStarGraph.hpp"
#include "support/settingsGuard.hpp"
#include "support/testFiles.hpp"

#include <gtest/gtest.h>

namespace {
std::unique_ptr<aStarGraph> quietGraph(int width, int height) {
    std::ostringstream log;
    return std::make_unique<aStarGraph>(width, height, log);
}
} // namespace

TEST(WorldFiles, TheGraphIsSavedAsItsHeightsColumnByColumnAndLoadedOnlyWholeAndOfItsOwnSize) {
    settingsGuard guard;
    temporaryDirectory directory;
    const std::string path = directory.file("graph.dat");
    const auto written = quietGraph(3, 2);
    for (int i = 0; i < 6; ++i) {
        written->mapGridTerrain(i / 2, i % 2) = 10 * (i / 2) + i % 2 - 1;
    }
    saveGraph(*written, path);
    const std::string bytes = readTextFile(path);
    // Column 0 (heights -1, 0), column 1 (9, 10), column 2 (19, 20), four little-endian bytes each.
    EXPECT_EQ(bytes.substr(bytes.size() - 24),
              std::string("\xff\xff\xff\xff\0\0\0\0\x09\0\0\0\x0a\0\0\0\x13\0\0\0\x14\0\0\0", 24));
    const auto loaded = quietGraph(3, 2);
    loadGraph(*loaded, path);
    EXPECT_EQ(std::vector<std::int32_t>(loaded->mapGridTerrain.data(), loaded->mapGridTerrain.data() + 6),
              (std::vector<std::int32_t>{-1, 0, 9, 10, 19, 20}));
    for (const std::string& damaged : {bytes.substr(0, bytes.size() - 1), std::string(200, 'x')}) {
        writeTextFile(path, damaged);
        EXPECT_ANY_THROW(loadGraph(*loaded, path)) << damaged.size() << " bytes";
    }
    writeTextFile(path, bytes);
    EXPECT_ANY_THROW(loadGraph(*quietGraph(3, 1), path)) << "a smaller graph would take a part of it";
}
