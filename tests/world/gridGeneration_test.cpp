#include "app/random.hpp"
#include "app/settings.hpp"
#include "path/aStarGraph.hpp"
#include "support/settingsGuard.hpp"
#include "support/testFiles.hpp"
#include "world/grid.hpp"
#include "world/gridGeneration.hpp"
#include "world/terrainImage.hpp"
#include "world/worldMap.hpp"

#include <algorithm>
#include <boost/filesystem.hpp>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int SMALL_WIDTH = 190;
constexpr int SMALL_HEIGHT = 70;
constexpr int SMALL_GRIDS = 19 * 7;

/// A 190 × 70 world of a fixed seed with everything its grids need. Sets the world size for its lifetime.
class smallWorld {
  public:
    smallWorld() {
        worldWidth = SMALL_WIDTH;
        worldHeight = SMALL_HEIGHT;
        lArea = 30;
        seed(2024u);
        map = std::make_unique<worldMap>();
        std::ostringstream log;
        map->init();
        map->gen(log);
        map->setArea(log);
        map->tuneEdges();
    }

    aStarGraph newGraph() const {
        std::ostringstream log;
        return aStarGraph(SMALL_WIDTH * 10, SMALL_HEIGHT * 10, log);
    }

    settingsGuard settings;
    std::unique_ptr<worldMap> map;
};

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        result.push_back(line);
    }
    return result;
}

std::set<std::string> filesIn(const std::string& directory) {
    std::set<std::string> names;
    for (const auto& entry : boost::filesystem::directory_iterator(directory)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

bool sameNodes(const aStarGraph& a, const aStarGraph& b) {
    return a.mapGridTerrain.size() == b.mapGridTerrain.size() &&
           std::memcmp(a.mapGridTerrain.data(), b.mapGridTerrain.data(),
                       a.mapGridTerrain.size() * sizeof(std::int32_t)) == 0;
}

/// Share of pixels whose channels all lie within `tolerance` of the grid cell's band colour.
double matchingPixelShare(const sf::Image& picture, const grid& terrain, int tolerance) {
    int matching = 0;
    for (unsigned u = 0; u < 600; ++u) {
        for (unsigned v = 0; v < 600; ++v) {
            const sf::Color expected = terrainColour(terrain.data(static_cast<int>(u), static_cast<int>(v)));
            const sf::Color actual = picture.getPixel(u, v);
            matching += std::abs(actual.r - expected.r) <= tolerance &&
                                std::abs(actual.g - expected.g) <= tolerance &&
                                std::abs(actual.b - expected.b) <= tolerance
                            ? 1
                            : 0;
        }
    }
    return matching / (600.0 * 600.0);
}

} // namespace

TEST(GridGeneration, OneGridWritesItsPictureNodesAndReport) {
    smallWorld world;
    aStarGraph graph = world.newGraph();
    graph.mapGridTerrain.fill(UNSET_HEIGHT);
    temporaryDirectory images;
    boost::mutex lock;
    float progress = 0.0f;
    std::ostringstream out;

    generateGridTerrain(18, 3, *world.map, graph, images.path(), lock, progress, out);

    EXPECT_EQ(out.str(), "Generated [18][3]\nPercent loaded: 0.75188%\n");
    EXPECT_FLOAT_EQ(progress, 1.0f / SMALL_GRIDS);
    EXPECT_EQ(filesIn(images.path()), std::set<std::string>{"18_3.jpg"});

    grid expected;
    expected.gridFromCorners(18, 3, world.map->data, false);
    expected.refine();
    for (int r = 0; r < 100; ++r) {
        for (int c = 0; c < 100; ++c) {
            ASSERT_EQ(graph.mapGridTerrain(1800 + r, 300 + c), expected.data(6 * r, 6 * c)) << r << ", " << c;
        }
    }
    // Nodes outside the grid's block are untouched.
    EXPECT_EQ(graph.mapGridTerrain(1799, 300), UNSET_HEIGHT);
    EXPECT_EQ(graph.mapGridTerrain(1800, 400), UNSET_HEIGHT);
    EXPECT_EQ(graph.mapGridTerrain(1800, 299), UNSET_HEIGHT);

    sf::Image picture;
    ASSERT_TRUE(picture.loadFromFile(images.file("18_3.jpg")));
    EXPECT_EQ(picture.getSize(), sf::Vector2u(600, 600));
    EXPECT_GT(matchingPixelShare(picture, expected, 24), 0.95);
}

TEST(GridGeneration, GraphNodesSampleTheMapCorners) {
    smallWorld world;
    aStarGraph graph = world.newGraph();
    temporaryDirectory images;
    boost::mutex lock;
    float progress = 0.0f;
    std::ostringstream out;
    const std::vector<std::pair<int, int>> grids = {{0, 0}, {7, 4}, {18, 6}};
    for (const auto& [gx, gy] : grids) {
        generateGridTerrain(gx, gy, *world.map, graph, images.path(), lock, progress, out);
    }

    for (const auto& [gx, gy] : grids) {
        EXPECT_EQ(graph.mapGridTerrain(100 * gx, 100 * gy), world.map->data(10 * gx, 10 * gy));
        EXPECT_EQ(graph.mapGridTerrain(100 * gx + 10, 100 * gy), world.map->data(10 * gx + 1, 10 * gy));
        EXPECT_EQ(graph.mapGridTerrain(100 * gx + 90, 100 * gy + 50),
                  world.map->data(10 * gx + 9, 10 * gy + 5));
    }
    EXPECT_FLOAT_EQ(progress, 3.0f / SMALL_GRIDS);
}

TEST(GridGeneration, SubgridPictureGoesIntoItsNewDirectory) {
    smallWorld world;
    grid parent;
    parent.gridFromCorners(4, 2, world.map->data, false);
    parent.refine();
    temporaryDirectory images;
    const std::string directory = images.file("4_2");
    const std::string file = directory + "/3_9.jpg";

    generateAndSaveSubgridImage(parent.data, 3, 9, directory, file);
    generateAndSaveSubgridImage(parent.data, 4, 9, directory, directory + "/4_9.jpg");

    EXPECT_EQ(filesIn(directory), (std::set<std::string>{"3_9.jpg", "4_9.jpg"}));
    grid expected;
    expected.gridFromCorners(3, 9, parent.data, true);
    expected.refine();
    sf::Image picture;
    ASSERT_TRUE(picture.loadFromFile(file));
    EXPECT_EQ(picture.getSize(), sf::Vector2u(600, 600));
    EXPECT_GT(matchingPixelShare(picture, expected, 24), 0.95);
}

TEST(GridGeneration, GraphSmallerThanTheWorldIsRefused) {
    smallWorld world;
    std::ostringstream log;
    aStarGraph graph(SMALL_WIDTH * 10 - 1, SMALL_HEIGHT * 10, log);
    temporaryDirectory images;
    std::ostringstream out;
    EXPECT_THROW(preloadGrids(*world.map, graph, images.path(), 1, out), std::invalid_argument);
    EXPECT_EQ(out.str(), "");
}

TEST(ThreadedGridGeneration, EveryGridReportsOnceAndProgressEndsAtAHundred) {
    smallWorld world;
    aStarGraph graph = world.newGraph();
    temporaryDirectory images;
    std::ostringstream out;

    preloadGrids(*world.map, graph, images.path(), 2, out);

    const std::vector<std::string> report = lines(out.str());
    ASSERT_EQ(report.size(), 2u * SMALL_GRIDS);
    std::set<std::string> generated;
    for (std::size_t i = 0; i < report.size(); i += 2) {
        EXPECT_EQ(report[i].rfind("Generated [", 0), 0u) << report[i];
        EXPECT_EQ(report[i + 1].rfind("Percent loaded: ", 0), 0u) << report[i + 1];
        generated.insert(report[i]);
    }
    EXPECT_EQ(generated.size(), static_cast<std::size_t>(SMALL_GRIDS));
    EXPECT_EQ(generated.count("Generated [0][0]"), 1u);
    EXPECT_EQ(generated.count("Generated [18][6]"), 1u);

    const std::string& last = report.back();
    ASSERT_EQ(last.back(), '%');
    const double lastPercent = std::stod(last.substr(std::string("Percent loaded: ").size()));
    EXPECT_NEAR(lastPercent, 100.0, 0.01);
}

TEST(ThreadedGridGeneration, DefaultWorldGivesFourHundredAndSixtyEightReports) {
    settingsGuard settings;
    worldWidth = 360;
    worldHeight = 130;
    lArea = 30;
    seed(11899u);
    worldMap map;
    std::ostringstream log;
    map.init();
    map.gen(log);
    map.setArea(log);
    map.tuneEdges();
    aStarGraph graph(3600, 1300, log);
    temporaryDirectory images;
    std::ostringstream out;

    preloadGrids(map, graph, images.path(), 2, out);

    const std::vector<std::string> report = lines(out.str());
    const auto generated = std::count_if(report.begin(), report.end(), [](const std::string& line) {
        return line.rfind("Generated [", 0) == 0;
    });
    EXPECT_EQ(generated, 468);
    ASSERT_EQ(report.size(), 2u * 468u);
    const double lastPercent = std::stod(report.back().substr(std::string("Percent loaded: ").size()));
    EXPECT_NEAR(lastPercent, 100.0, 0.01);
    EXPECT_EQ(filesIn(images.path()).size(), 468u);
}

TEST(ThreadedGridGeneration, WritesOnePicturePerGridAndNothingElse) {
    smallWorld world;
    aStarGraph graph = world.newGraph();
    temporaryDirectory images;
    std::ostringstream out;

    preloadGrids(*world.map, graph, images.path(), 0, out);

    std::set<std::string> expected;
    for (int gx = 0; gx < 19; ++gx) {
        for (int gy = 0; gy < 7; ++gy) {
            expected.insert(gridImageName(gx, gy));
        }
    }
    EXPECT_EQ(filesIn(images.path()), expected);
    sf::Image picture;
    ASSERT_TRUE(picture.loadFromFile(images.file("18_6.jpg")));
    EXPECT_EQ(picture.getSize(), sf::Vector2u(600, 600));
}

TEST(ThreadedGridGeneration, NodeHeightsDoNotDependOnTheNumberOfWorkers) {
    smallWorld world;
    temporaryDirectory images;
    std::ostringstream out;

    aStarGraph single = world.newGraph();
    single.mapGridTerrain.fill(UNSET_HEIGHT);
    preloadGrids(*world.map, single, images.path(), 1, out);
    aStarGraph two = world.newGraph();
    preloadGrids(*world.map, two, images.path(), 2, out);
    aStarGraph four = world.newGraph();
    preloadGrids(*world.map, four, images.path(), 4, out);

    EXPECT_EQ(std::count(single.mapGridTerrain.data(),
                         single.mapGridTerrain.data() + single.mapGridTerrain.size(), UNSET_HEIGHT),
              0);
    EXPECT_TRUE(sameNodes(single, two));
    EXPECT_TRUE(sameNodes(single, four));

    // One changed node is enough to tell two graphs apart.
    four.mapGridTerrain(1899, 699) += 1;
    EXPECT_FALSE(sameNodes(single, four));
}

TEST(ThreadedGridGeneration, GraphNodesMatchTheMapAndTheGrids) {
    smallWorld world;
    aStarGraph graph = world.newGraph();
    temporaryDirectory images;
    std::ostringstream out;
    preloadGrids(*world.map, graph, images.path(), 3, out);

    grid terrain;
    for (int gx = 0; gx < 19; ++gx) {
        for (int gy = 0; gy < 7; ++gy) {
            terrain.gridFromCorners(gx, gy, world.map->data, false);
            terrain.refine();
            EXPECT_EQ(graph.mapGridTerrain(100 * gx, 100 * gy), world.map->data(10 * gx, 10 * gy));
            EXPECT_EQ(graph.mapGridTerrain(100 * gx + 10, 100 * gy), terrain.data(60, 0));
            EXPECT_EQ(terrain.data(60, 0), world.map->data(10 * gx + 1, 10 * gy));
            for (int r = 0; r < 100; ++r) {
                for (int c = 0; c < 100; ++c) {
                    ASSERT_EQ(graph.mapGridTerrain(100 * gx + r, 100 * gy + c), terrain.data(6 * r, 6 * c))
                        << "grid " << gx << ", " << gy << ", node " << r << ", " << c;
                }
            }
        }
    }
}
