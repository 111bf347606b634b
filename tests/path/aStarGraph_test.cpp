#include "path/aStarGraph.hpp"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <sstream>
#include <utility>
#include <vector>

namespace {

using points = std::vector<std::pair<float, float>>;

void* toState(int node) {
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(node));
}

/// The point movement makes of node (x, y).
std::pair<float, float> nodePoint(int x, int y) {
    return {static_cast<float>(x) / 100, static_cast<float>(y) / 100};
}

const travelAttributes ON_FOOT{{raft, false}, {mountainGear, false}, {horse, false}};
const travelAttributes WITH_RAFT{{raft, true}, {mountainGear, false}, {horse, false}};
const travelAttributes WITH_GEAR{{raft, false}, {mountainGear, true}, {horse, false}};
const travelAttributes MOUNTED{{raft, false}, {mountainGear, false}, {horse, true}};

/// A 40 × 30 graph of grassland (height 300).
struct smallWorld {
    std::ostringstream log;
    aStarGraph graph{40, 30, log};
    smallWorld() { graph.mapGridTerrain.fill(300); }

    void fillRect(int x0, int y0, int x1, int y1, std::int32_t height) {
        for (int x = x0; x <= x1; ++x) {
            for (int y = y0; y <= y1; ++y) {
                graph.mapGridTerrain(x, y) = height;
            }
        }
    }
    std::vector<float> costs(int x, int y, const travelAttributes& attributes) {
        std::vector<micropather::StateCost> adjacent;
        graph.AdjacentCost(toState(graph.XYToNode(x, y)), &adjacent, attributes);
        std::vector<float> costs;
        for (const micropather::StateCost& step : adjacent) {
            costs.push_back(step.cost);
        }
        return costs;
    }
};

} // namespace

TEST(AStarGraph, ConstructionAndNodeNumbering) {
    std::ostringstream log;
    aStarGraph wide(3600, 3, log);
    EXPECT_EQ(log.str(), "Creating mapGridTerrain[3600][3]\nmapGridTerrain initialization done!\n");
    EXPECT_EQ(wide.XYToNode(5, 2), 7205);
    int x = -1;
    int y = -1;
    wide.NodeToXY(toState(7205), &x, &y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(5, 2));
    wide.NodeToXY(toState(wide.XYToNode(3599, 1)), &x, &y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(3599, 1));
}

TEST(AStarGraph, CornerNodesListEightNeighbours) {
    smallWorld world;
    EXPECT_EQ(world.costs(0, 0, ON_FOOT),
              (std::vector<float>{1.0f, 1.41f, 1.0f, FLT_MAX, FLT_MAX, FLT_MAX, FLT_MAX, FLT_MAX}));
    EXPECT_EQ(world.costs(39, 29, ON_FOOT),
              (std::vector<float>{FLT_MAX, FLT_MAX, FLT_MAX, FLT_MAX, 1.0f, 1.41f, 1.0f, FLT_MAX}));

    std::vector<micropather::StateCost> adjacent;
    world.graph.AdjacentCost(toState(world.graph.XYToNode(10, 10)), &adjacent, ON_FOOT);
    const int expected[8][2] = {{11, 10}, {11, 11}, {10, 11}, {9, 11}, {9, 10}, {9, 9}, {10, 9}, {11, 9}};
    ASSERT_EQ(adjacent.size(), 8u);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(adjacent[i].state, toState(world.graph.XYToNode(expected[i][0], expected[i][1]))) << i;
    }
}

TEST(AStarGraph, WaterAndMountainBounds) {
    smallWorld world;
    world.graph.mapGridTerrain(11, 10) = -20; // east of (10, 10)
    world.graph.mapGridTerrain(11, 11) = 1;   // south-east: lowest land
    world.graph.mapGridTerrain(10, 11) = 0;   // south
    world.graph.mapGridTerrain(9, 10) = 7000; // west
    world.graph.mapGridTerrain(9, 9) = 6999;  // north-west: highest land
    world.graph.mapGridTerrain(10, 9) = 7001; // north
    const float X = FLT_MAX;
    // Order: east, south-east, south, south-west, west, north-west, north, north-east.
    EXPECT_EQ(world.costs(10, 10, ON_FOOT), (std::vector<float>{X, 1.41f, X, 1.41f, X, 1.41f, X, 1.41f}));
    EXPECT_EQ(world.costs(10, 10, MOUNTED), (std::vector<float>{X, 1.41f, X, 1.41f, X, 1.41f, X, 1.41f}));
    EXPECT_EQ(world.costs(10, 10, travelAttributes{}), world.costs(10, 10, ON_FOOT));
    EXPECT_EQ(world.costs(10, 10, WITH_RAFT),
              (std::vector<float>{1.0f, 1.41f, X, 1.41f, X, 1.41f, X, 1.41f}));
    EXPECT_EQ(world.costs(10, 10, WITH_GEAR),
              (std::vector<float>{X, 1.41f, X, 1.41f, X, 1.41f, 1.0f, 1.41f}));
}

TEST(AStarGraph, EstimateAndStateInfo) {
    smallWorld world;
    aStarGraph& graph = world.graph;
    const auto estimate = [&](int ax, int ay, int bx, int by) {
        return graph.LeastCostEstimate(toState(graph.XYToNode(ax, ay)), toState(graph.XYToNode(bx, by)));
    };
    EXPECT_EQ(estimate(0, 0, 3, 4), 5.0f);
    EXPECT_EQ(estimate(7, 7, 7, 7), 0.0f);
    EXPECT_EQ(estimate(10, 0, 0, 10), static_cast<float>(std::sqrt(200.0)));

    std::ostringstream printed;
    std::streambuf* previous = std::cout.rdbuf(printed.rdbuf());
    graph.PrintStateInfo(toState(graph.XYToNode(5, 2)));
    std::cout.rdbuf(previous);
    EXPECT_EQ(printed.str(), "(5,2)");
}

TEST(AStarGraph, RefinePath) {
    smallWorld world;
    const aStarGraph& graph = world.graph;
    // Section: open land, the middle point is not needed; one point is too few.
    const points bend{nodePoint(2, 2), nodePoint(10, 20), nodePoint(30, 5)};
    EXPECT_EQ(graph.refinePath(bend, ON_FOOT), (points{bend[0], bend[2]}));
    EXPECT_TRUE(graph.refinePath({nodePoint(3, 3)}, ON_FOOT).empty());

    // Section: a lake between the ends; the middle point leads around it unless there is a raft.
    world.fillRect(12, 5, 17, 15, -50);
    const points detour{nodePoint(5, 10), nodePoint(15, 25), nodePoint(25, 10)};
    EXPECT_EQ(graph.refinePath(detour, ON_FOOT), detour);
    EXPECT_EQ(graph.refinePath(detour, WITH_RAFT), (points{detour[0], detour[2]}));
    EXPECT_EQ(graph.refinePath({detour[0], detour[2]}, ON_FOOT), (points{detour[0], detour[2]}));

    // Section: a ridge at exactly 7000 and a shore at exactly 0 are closed to steps even with
    // gear or a raft, but a straight line may cross them with that gear.
    const points across{nodePoint(5, 20), nodePoint(15, 20), nodePoint(25, 20)};
    world.fillRect(20, 16, 20, 29, 7000);
    EXPECT_EQ(graph.refinePath(across, ON_FOOT), across);
    EXPECT_EQ(graph.refinePath(across, WITH_GEAR), (points{across[0], across[2]}));
    world.fillRect(20, 16, 20, 29, 0);
    EXPECT_EQ(graph.refinePath(across, ON_FOOT), across);
    EXPECT_EQ(graph.refinePath(across, WITH_RAFT), (points{across[0], across[2]}));
}

TEST(AStarGraph, SolverCrossesRiverOnlyWithRaft) {
    smallWorld world;
    world.fillRect(20, 0, 20, 26, -40); // a river with a ford in rows 27 to 29
    aStarGraph& graph = world.graph;
    void* start = toState(graph.XYToNode(5, 10));
    void* goal = toState(graph.XYToNode(35, 10));
    micropather::MicroPather pather(&graph, 468000, 6);
    std::vector<void*> path;
    float cost = 0.0f;
    ASSERT_EQ(pather.Solve(start, goal, &path, &cost, WITH_RAFT), micropather::pathFound);
    EXPECT_FLOAT_EQ(cost, 30.0f);

    ASSERT_EQ(pather.Solve(start, goal, &path, &cost, ON_FOOT), micropather::pathFound);
    EXPECT_NEAR(cost, 4 * 1.0 + 30 * 1.41, 1e-3); // 15 diagonal steps down to the ford and 15 up
    points walked;
    for (void* state : path) {
        int x = 0;
        int y = 0;
        graph.NodeToXY(state, &x, &y);
        EXPECT_FALSE(x == 20 && y < 27) << "stepped into the river at row " << y;
        walked.push_back(nodePoint(x, y));
    }
    const points refined = graph.refinePath(walked, ON_FOOT);
    ASSERT_GE(refined.size(), 3u);
    EXPECT_LT(refined.size(), walked.size());
    EXPECT_EQ(refined.front(), walked.front());
    EXPECT_EQ(refined.back(), walked.back());
}
