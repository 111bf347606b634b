#include "support/settingsGuard.hpp"
#include "support/smallWorld.hpp"
#include "world/grid.hpp"
#include "world/gridGeneration.hpp"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace {
std::unique_ptr<aStarGraph> unsetGraph(int width) {
    std::ostringstream log;
    auto graph = std::make_unique<aStarGraph>(width, 700, log);
    graph->mapGridTerrain.fill(UNSET_HEIGHT);
    return graph;
}
} // namespace

TEST(ThreadedGridGeneration, GraphNodesSampleTheGridsAndEveryWorkerCountReportsEachGridOnce) {
    settingsGuard settings;
    const worldMap map = smallWorldMap(2024u);
    const auto single = unsetGraph(1900);
    temporaryDirectory images;
    boost::mutex lock;
    float progress = 0.0f;
    std::ostringstream out;
    generateGridTerrain(18, 6, map, *single, images.path(), lock, progress, out);
    EXPECT_EQ(out.str(), "Generated [18][6]\nPercent loaded: 0.75188%\n") << "one grid of 133";
    grid terrain;
    terrain.gridFromCorners(18, 6, map.data, false);
    terrain.refine();
    for (int i = 0; i < 100 * 100; ++i) { // node (r, c) of the grid's block is grid cell (6 r, 6 c)
        ASSERT_EQ(single->mapGridTerrain(1800 + i / 100, 600 + i % 100),
                  terrain.data(6 * (i / 100), 6 * (i % 100)))
            << i;
    }
    EXPECT_EQ(single->mapGridTerrain(1799, 600), UNSET_HEIGHT) << "nothing outside the grid's block";
    const auto graph = unsetGraph(1900);
    std::ostringstream report;
    preloadGrids(map, *graph, images.path(), 3, report);
    std::istringstream lines(report.str());
    std::set<std::string> generated;
    for (std::string line, percent; std::getline(lines, line) && std::getline(lines, percent);) {
        EXPECT_TRUE(generated.insert(line).second && percent.rfind("Percent loaded: ", 0) == 0)
            << line << percent;
    }
    EXPECT_EQ(
        std::make_tuple(generated.size(), generated.count("Generated [18][6]"),
                        std::count(graph->mapGridTerrain.data(),
                                   graph->mapGridTerrain.data() + graph->mapGridTerrain.size(), UNSET_HEIGHT),
                        graph->mapGridTerrain(1850, 650)),
        std::make_tuple(std::size_t{133}, std::size_t{1}, std::ptrdiff_t{0},
                        single->mapGridTerrain(1850, 650)))
        << "three workers report each grid once and leave no node unset";
    EXPECT_THROW(preloadGrids(map, *single, images.file("missing"), 2, out), std::runtime_error)
        << "a picture that cannot be written";
}
