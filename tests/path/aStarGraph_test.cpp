#include "path/aStarGraph.hpp"
#include "path/pathGeometry.hpp"

#include <algorithm>
#include <cfloat>
#include <gtest/gtest.h>
#include <sstream>

namespace {
using points = std::vector<std::pair<float, float>>; // grid units; node (x, y) covers x / 100, y / 100

void* toState(int node) {
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(node));
}

const float X = FLT_MAX;
const travelAttributes ON_FOOT{{raft, false}, {mountainGear, false}, {horse, false}};
const travelAttributes RAFT{{raft, true}, {mountainGear, false}, {horse, false}};
const travelAttributes GEAR{{raft, false}, {mountainGear, true}, {horse, false}};
const travelAttributes BOTH{{raft, true}, {mountainGear, true}, {horse, false}};

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

TEST(AStarGraph, NodesUnderPointsNeighboursAndTheirCosts) {
    smallWorld world;
    int x = -1, y = -1;
    world.graph.NodeToXY(toState(world.graph.XYToNode(5, 2)), &x, &y);
    EXPECT_EQ(std::make_tuple(world.graph.XYToNode(5, 2), x, y), std::make_tuple(7205, 5, 2));
    // x is worked in double, y in float; the other precision would give 13, 3598, 0 and 2.
    EXPECT_EQ(
        std::make_tuple(getMapGridX(1.13f), getMapGridX(36.98f), getMapGridY(0.01f), getMapGridY(0.03f)),
        std::make_tuple(12, 3597, 1, 3));
    EXPECT_EQ(world.costs(3599, 29, ON_FOOT), (std::vector<float>{1.0f, X, X, X, 1.0f, 1.41f, 1.0f, 1.41f}))
        << "east across the seam, south off the world";
    EXPECT_EQ(world.costs(0, 0, ON_FOOT), (std::vector<float>{1.0f, 1.41f, 1.0f, 1.41f, 1.0f, X, X, X}));
    EXPECT_EQ(reinterpret_cast<std::intptr_t>(world.adjacent[4].state), 3599) << "west of column 0";

    world.graph.mapGridTerrain(11, 10) = 1;    // east of (10, 10): the lowest land
    world.graph.mapGridTerrain(10, 9) = 6999;  // north: the highest land
    world.graph.mapGridTerrain(9, 10) = -20;   // west: water
    world.graph.mapGridTerrain(10, 11) = 7001; // south: a mountain top
    world.graph.mapGridTerrain(11, 9) = 0;     // north-east: closed even with a raft
    world.graph.mapGridTerrain(9, 11) = 7000;  // south-west: closed even with gear
    // Land to the south-east and north-west, but a diagonal step needs both straight steps beside it open.
    EXPECT_EQ(world.costs(10, 10, ON_FOOT), (std::vector<float>{1.0f, X, X, X, X, X, 1.0f, X}));
    std::vector<std::ptrdiff_t> steps;
    for (const micropather::StateCost& step : world.adjacent) {
        steps.push_back(reinterpret_cast<std::intptr_t>(step.state) - world.graph.XYToNode(10, 10));
    }
    EXPECT_EQ(steps, (std::vector<std::ptrdiff_t>{1, 3601, 3600, 3599, -1, -3601, -3600, -3599}))
        << "east first, then clockwise";
    EXPECT_EQ(world.costs(10, 10, RAFT), (std::vector<float>{1.0f, X, X, X, 1.0f, 1.41f, 1.0f, X}));
    EXPECT_EQ(world.costs(10, 10, GEAR), (std::vector<float>{1.0f, 1.41f, 1.0f, X, X, X, 1.0f, X}));
    EXPECT_EQ(world.costs(10, 10, BOTH), (std::vector<float>{1.0f, 1.41f, 1.0f, X, 1.0f, 1.41f, 1.0f, X}));
}

TEST(AStarGraph, EstimateIsTheStraightLineTheShortWayRoundInStepCosts) {
    smallWorld world;
    const auto estimate = [&](int x1, int y1, int x2, int y2) {
        return world.graph.LeastCostEstimate(toState(world.graph.XYToNode(x1, y1)),
                                             toState(world.graph.XYToNode(x2, y2)));
    };
    // The line's nodes times 1.41 / √2: 5 × 0.99702; along a diagonal exactly the steps' 1.41 each; across
    // the seam one column and 29 rows, √842 × 0.99702.
    const std::tuple<int, int, int, int, float> cases[] = {
        {3, 4, 0, 0, 4.98510f}, {10, 7, 10, 7, 0.0f}, {7, 7, 5, 5, 2.82f}, {3599, 29, 0, 0, 28.93078f}};
    for (const auto& [x1, y1, x2, y2, expected] : cases) {
        EXPECT_NEAR(estimate(x1, y1, x2, y2), expected, 1e-5f)
            << x1 << ", " << y1 << " to " << x2 << ", " << y2;
    }
}

TEST(AStarGraph, RefinePathKeepsOnlyPointsNeededToGoAround) {
    smallWorld world;
    for (int x = 12; x <= 17; ++x) {
        std::fill_n(world.graph.mapGridTerrain.column(x), 16, -50); // a lake north of row 16
    }
    std::fill_n(world.graph.mapGridTerrain.column(1), 16, -50);        // a channel, east of the seam
    std::fill_n(world.graph.mapGridTerrain.column(20) + 16, 14, 7000); // a ridge of exactly 7000
    std::fill_n(world.graph.mapGridTerrain.column(22) + 16, 14, 0);    // a shore of exactly 0
    const points bend{{0.25f, 0.02f}, {0.3f, 0.15f}, {0.35f, 0.05f}};
    const points detour{{0.05f, 0.1f}, {0.15f, 0.25f}, {0.25f, 0.1f}};
    const points ridge{{0.185f, 0.205f}, {0.205f, 0.255f}, {0.215f, 0.205f}};
    const points shore{{0.215f, 0.205f}, {0.225f, 0.255f}, {0.235f, 0.205f}};
    const points fromAbove{{0.5f, -0.05f}, {0.55f, 0.05f}, {0.7f, 0.05f}};
    // x + y = 0.3402 passes 0.00014 from the lake's south-east corner (0.18, 0.16) without entering it.
    const points grazing{{0.15f, 0.1902f}, {0.19f, 0.1902f}, {0.21f, 0.1302f}};
    const points seam{{35.955f, 0.105f}, {36.005f, 0.155f}, {36.055f, 0.105f}};
    const points halfWay{{0.5f, 0.1f}, {10.0f, 0.1f}, {18.5f, 0.1f}};
    struct refinement {
        const char* why;
        points path;
        travelAttributes attributes;
        points refined;
    };
    const refinement cases[] = {
        {"ends in sight of each other: the middle goes", bend, ON_FOOT, {bend[0], bend[2]}},
        {"round the lake on foot", detour, ON_FOOT, detour},
        {"across the lake with a raft", detour, RAFT, {detour[0], detour[2]}},
        {"a ridge of 7000 on foot", ridge, ON_FOOT, ridge},
        {"unlike a step, a line crosses 7000 with gear", ridge, GEAR, {ridge[0], ridge[2]}},
        {"unlike a step, a line crosses 0 with a raft", shore, RAFT, {shore[0], shore[2]}},
        {"a test point above the first row is blocked", fromAbove, ON_FOOT, fromAbove},
        {"a line that grazes a corner of the lake is blocked", grazing, ON_FOOT, grazing},
        {"across the seam the channel stops a walk", seam, ON_FOOT, seam},
        {"and a raft crosses it", seam, RAFT, {seam[0], seam[2]}},
        {"a leg of half the world would be walked the other way", halfWay, ON_FOOT, halfWay},
    };
    for (const refinement& each : cases) {
        EXPECT_EQ(world.graph.refinePath(each.path, each.attributes), each.refined) << each.why;
    }
}
