#include "support/quietOutput.hpp"
#include "support/simulationScope.hpp"

#include <gtest/gtest.h>

namespace {
/// 1000 × 100 nodes of land (ten grids across: nothing here is more than half the world away) with a water
/// wall down column 150 that stops 20 rows short of the bottom.
std::vector<std::string> wallWithAGap() {
    std::vector<std::string> rows(100, std::string(1000, '.'));
    for (std::size_t y = 0; y < 80; ++y) {
        rows[y][150] = '~';
    }
    return rows;
}
} // namespace

TEST(ThreadedPathSearches, FoundPathsAreStraightenedAndEndOnTheExactDestination) {
    simulationScope run;
    run.useGraph(1000, 100, wallWithAGap());
    militaryUnit& unit = run.addUnit(run.addFaction("Reds", "Ann"), 0.5f, 0.5f, 2);
    quietOutput quiet;
    const std::tuple<float, float, bool, std::vector<waypoint>, const char*> requests[] = {
        // to x, y, rafts, the path after
        {2.25f, 0.375f, false, {{1.25f, 0.375f}}, "in sight: the destination itself"},
        {1.503f, 0.504f, false, {{1.25f, 0.375f}}, "in the unit's own node: nothing changes"},
        {2.5f, 0.3f, false, {{1.25f, 0.375f}}, "into the water: no path, the old one stays"},
        {2.5f, 0.3f, true, {{1.5f, 0.3f}}, "with a raft each"}};
    for (const auto& [x, y, rafts, path, why] : requests) {
        unit.equipment[raft] = rafts ? 2 : 0;
        unit.calculatePath(x, y);
        EXPECT_EQ(*unit.travelPath, path) << why;
    }
    // An answer to a request that Stop cancelled, or that a later one replaced, is not installed.
    const std::atomic<bool> neverStop{false};
    const pathQuery cancelled = makePathQuery(*graph, unit, 2.25f, 0.375f, ++unit.pathRequest);
    unit.cancelPath();
    deliverPath(unit, cancelled, findPath(*graph, cancelled, neverStop), *graph);
    EXPECT_EQ(*unit.travelPath, (std::vector<waypoint>{{1.5f, 0.3f}}));
    unit.equipment[raft] = 0;
    unit.y = 0.2f;
    unit.calculatePath(3.5f, 0.2f);
    EXPECT_EQ(std::make_tuple(unit.travelPath->size() >= 2, unit.travelPath->front().second >= 0.79f,
                              unit.travelPath->back()),
              std::make_tuple(true, true, waypoint(2.5f, 0.2f)))
        << "round the end of the wall";
}
