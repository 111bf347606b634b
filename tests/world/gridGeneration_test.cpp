#include "app/random.hpp"
#include "support/settingsGuard.hpp"
#include "support/smallWorldMap.hpp"
#include "support/testFiles.hpp"
#include "world/grid.hpp"
#include "world/gridGeneration.hpp"
#include "world/terrainImage.hpp"

#include <algorithm>
#include <boost/filesystem.hpp>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

aStarGraph unsetGraph(int width, int height) {
    std::ostringstream log;
    aStarGraph graph(width, height, log);
    graph.mapGridTerrain.fill(UNSET_HEIGHT);
    return graph;
}

} // namespace

TEST(GridGeneration, GraphNodesSampleTheRefinedGridsAndASmallerGraphIsRefused) {
    settingsGuard settings;
    const worldMap map = smallWorldMap(2024u);
    aStarGraph graph = unsetGraph(1900, 700);
    temporaryDirectory images;
    boost::mutex lock;
    float progress = 0.0f;
    std::ostringstream out;
    for (const auto& [gx, gy] : {std::pair{0, 0}, std::pair{18, 6}}) {
        SCOPED_TRACE("grid " + std::to_string(gx) + ", " + std::to_string(gy));
        generateGridTerrain(gx, gy, map, graph, images.path(), lock, progress, out);
        EXPECT_TRUE(boost::filesystem::exists(images.file(gridImageName(gx, gy))));
        grid terrain;
        terrain.gridFromCorners(gx, gy, map.data, false);
        terrain.refine();
        EXPECT_EQ(graph.mapGridTerrain(100 * gx, 100 * gy), map.data(10 * gx, 10 * gy));
        EXPECT_EQ(graph.mapGridTerrain(100 * gx + 10, 100 * gy), terrain.data(60, 0));
        EXPECT_EQ(terrain.data(60, 0), map.data(10 * gx + 1, 10 * gy));
        // Node (r, c) of the grid's block is grid cell (6 r, 6 c); nodes beyond the block stay unset.
        for (int r = 0; r < 100; ++r) {
            for (int c = 0; c < 100; ++c) {
                ASSERT_EQ(graph.mapGridTerrain(100 * gx + r, 100 * gy + c), terrain.data(6 * r, 6 * c))
                    << r << ", " << c;
            }
        }
    }
    EXPECT_EQ(graph.mapGridTerrain(100, 0), UNSET_HEIGHT);

    SCOPED_TRACE("a graph smaller than the world is refused");
    aStarGraph small = unsetGraph(1899, 700);
    std::ostringstream refusedOut;
    EXPECT_THROW(preloadGrids(map, small, images.path(), 1, refusedOut), std::invalid_argument);
    EXPECT_EQ(refusedOut.str(), "");

    SCOPED_TRACE("a picture that cannot be written stops the generation");
    EXPECT_THROW(preloadGrids(map, graph, images.file("missing"), 2, refusedOut), std::runtime_error);
}

TEST(ThreadedGridGeneration, EveryWorkerCountReportsEachGridOnceAndGivesTheSameNodes) {
    settingsGuard settings;
    const worldMap map = smallWorldMap(2024u);
    std::vector<std::int32_t> singleWorkerNodes;
    for (const unsigned workers : {1u, 2u, 4u}) {
        SCOPED_TRACE(std::to_string(workers) + " workers");
        aStarGraph graph = unsetGraph(1900, 700);
        temporaryDirectory images;
        std::ostringstream out;
        preloadGrids(map, graph, images.path(), workers, out);

        // Two lines per grid: "Generated [gx][gy]", then "Percent loaded: p%".
        std::istringstream report(out.str());
        std::set<std::string> generated;
        std::string line, percent;
        while (std::getline(report, line) && std::getline(report, percent)) {
            EXPECT_EQ(line.rfind("Generated [", 0), 0u) << line;
            EXPECT_EQ(percent.rfind("Percent loaded: ", 0), 0u) << percent;
            EXPECT_TRUE(generated.insert(line).second) << line << " again";
        }
        EXPECT_EQ(generated.size(), 19u * 7u);
        EXPECT_EQ(generated.count("Generated [18][6]"), 1u);
        EXPECT_NEAR(std::stod(percent.substr(16)), 100.0, 0.01);

        const std::vector<std::int32_t> nodes(graph.mapGridTerrain.data(),
                                              graph.mapGridTerrain.data() + graph.mapGridTerrain.size());
        if (singleWorkerNodes.empty()) {
            singleWorkerNodes = nodes;
        }
        EXPECT_EQ(std::count(nodes.begin(), nodes.end(), UNSET_HEIGHT), 0);
        EXPECT_TRUE(nodes == singleWorkerNodes);
    }
}

TEST(ThreadedGridGeneration, SubgridPicturesFromThePoolMatchThoseMadeOneByOne) {
    settingsGuard settings;
    const worldMap map = smallWorldMap(2024u);
    grid parent;
    parent.gridFromCorners(3, 2, map.data, false);
    parent.refine();
    temporaryDirectory world;
    boost::filesystem::create_directory(imageDirectoryPath(world.path()));
    const std::vector<std::pair<int, int>> cells = {{0, 0}, {3, 7}, {9, 9}, {5, 1}, {2, 2}};
    generateSubgridImages(parent.data, cells, world.path(), 3, 2, 3);

    temporaryDirectory alone;
    for (const auto& [sx, sy] : cells) {
        SCOPED_TRACE("cell " + std::to_string(sx) + ", " + std::to_string(sy));
        const std::string single = alone.file(std::to_string(sx) + "_" + std::to_string(sy) + ".jpg");
        generateAndSaveSubgridImage(parent.data, sx, sy, alone.path(), single);
        const std::string pooled = subgridImagePath(world.path(), 3, 2, sx, sy);
        ASSERT_TRUE(boost::filesystem::exists(pooled));
        EXPECT_TRUE(readTextFile(pooled) == readTextFile(single));
    }
    EXPECT_FALSE(boost::filesystem::exists(subgridImagePath(world.path(), 3, 2, 1, 1)))
        << "only the cells asked for";
}
