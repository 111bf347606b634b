#include "path/aStarGraph.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cstdint>
#include <sstream>
#include <utility>
#include <vector>

namespace {

using points = std::vector<std::pair<float, float>>; // grid units; node (x, y) covers x / 100, y / 100

void* toState(int node) {
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(node));
}

const float X = FLT_MAX;
const travelAttributes ON_FOOT{{raft, false}, {mountainGear, false}, {horse, false}};
const travelAttributes RAFT{{raft, true}, {mountainGear, false}, {horse, false}};
const travelAttributes GEAR{{raft, false}, {mountainGear, true}, {horse, false}};

/// A 3600 × 30 graph of grassland (height 300).
struct smallWorld {
    std::ostringstream log;
    aStarGraph graph{3600, 30, log};
    std::vector<micropather::StateCost> adjacent;
    smallWorld() { graph.mapGridTerrain.fill(300); }

    /// Step costs from node (x, y), east first then clockwise; the entries stay in `adjacent`.
    std::vector<float> costs(int x, int y, const travelAttributes& attributes) {
        adjacent.clear();
        graph.AdjacentCost(toState(graph.XYToNode(x, y)), &adjacent, attributes);
        std::vector<float> costs;
        std::transform(adjacent.begin(), adjacent.end(), std::back_inserter(costs),
                       [](const micropather::StateCost& step) { return step.cost; });
        return costs;
    }
};

} // namespace

TEST(AStarGraph, NodesAndNeighbours) {
    smallWorld world;
    EXPECT_EQ(world.graph.XYToNode(5, 2), 7205);
    int x = -1, y = -1;
    world.graph.NodeToXY(toState(7205), &x, &y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(5, 2));

    EXPECT_EQ(world.costs(3599, 29, ON_FOOT), (std::vector<float>{X, X, X, X, 1.0f, 1.41f, 1.0f, X}));
    EXPECT_EQ(world.costs(0, 0, ON_FOOT), (std::vector<float>{1.0f, 1.41f, 1.0f, X, X, X, X, X}));
    EXPECT_EQ(world.adjacent[0].state, toState(1));    // east
    EXPECT_EQ(world.adjacent[2].state, toState(3600)); // south

    world.graph.mapGridTerrain(11, 10) = -20; // east of (10, 10)
    world.graph.mapGridTerrain(11, 11) = 1;   // south-east: lowest land
    world.graph.mapGridTerrain(10, 11) = 0;   // south
    world.graph.mapGridTerrain(9, 10) = 7000; // west
    world.graph.mapGridTerrain(9, 9) = 6999;  // north-west: highest land
    world.graph.mapGridTerrain(10, 9) = 7001; // north
    EXPECT_EQ(world.costs(10, 10, ON_FOOT), (std::vector<float>{X, 1.41f, X, 1.41f, X, 1.41f, X, 1.41f}));
    EXPECT_EQ(world.costs(10, 10, RAFT), (std::vector<float>{1.0f, 1.41f, X, 1.41f, X, 1.41f, X, 1.41f}));
    EXPECT_EQ(world.costs(10, 10, GEAR), (std::vector<float>{X, 1.41f, X, 1.41f, X, 1.41f, 1.0f, 1.41f}));
}

TEST(AStarGraph, EstimateIsTheStraightLineInNodes) {
    smallWorld world;
    const auto estimate = [&](int x1, int y1, int x2, int y2) {
        return world.graph.LeastCostEstimate(toState(world.graph.XYToNode(x1, y1)),
                                             toState(world.graph.XYToNode(x2, y2)));
    };
    EXPECT_EQ(estimate(0, 0, 3, 4), 5.0f);
    EXPECT_EQ(estimate(3, 4, 0, 0), 5.0f);
    EXPECT_EQ(estimate(10, 7, 10, 7), 0.0f);
    EXPECT_EQ(estimate(3599, 0, 0, 0), 3599.0f);
    // √2 per diagonal step (the float nearest √2, √8, √(3599² + 29²)), slightly above the step cost of 1.41.
    EXPECT_EQ(estimate(0, 0, 1, 1), 1.41421354f);
    EXPECT_EQ(estimate(7, 7, 5, 5), 2.82842708f);
    EXPECT_EQ(estimate(3599, 29, 0, 0), 3599.11694f);
}

TEST(AStarGraph, RefinePathKeepsOnlyPointsNeededToGoAround) {
    smallWorld world;
    const points bend{{0.02f, 0.02f}, {0.1f, 0.2f}, {0.3f, 0.05f}};
    EXPECT_EQ(world.graph.refinePath(bend, ON_FOOT), (points{bend[0], bend[2]}));

    for (int x = 12; x <= 17; ++x) {
        std::fill_n(world.graph.mapGridTerrain.column(x), 16, -50); // a lake north of row 16
    }
    const points detour{{0.05f, 0.1f}, {0.15f, 0.25f}, {0.25f, 0.1f}};
    EXPECT_EQ(world.graph.refinePath(detour, ON_FOOT), detour);
    EXPECT_EQ(world.graph.refinePath(detour, RAFT), (points{detour[0], detour[2]}));

    // Unlike a step, a line crosses a ridge at exactly 7000 with gear and a shore at exactly 0 with a raft.
    const points across{{0.05f, 0.2f}, {0.15f, 0.2f}, {0.25f, 0.2f}};
    for (const auto& [height, equipment] : {std::pair{7000, GEAR}, std::pair{0, RAFT}}) {
        std::fill_n(world.graph.mapGridTerrain.column(20) + 16, 14, height);
        EXPECT_EQ(world.graph.refinePath(across, ON_FOOT), across);
        EXPECT_EQ(world.graph.refinePath(across, equipment), (points{across[0], across[2]}));
    }

    // A test point off the map counts as blocked, above the first row as beyond the last column.
    const points fromAbove{{0.5f, -0.05f}, {0.55f, 0.05f}, {0.7f, 0.05f}};
    EXPECT_EQ(world.graph.refinePath(fromAbove, ON_FOOT), fromAbove);
    const points pastTheEast{{35.8f, 0.1f}, {35.9f, 0.2f}, {36.05f, 0.1f}};
    EXPECT_EQ(world.graph.refinePath(pastTheEast, ON_FOOT), pastTheEast);
}
