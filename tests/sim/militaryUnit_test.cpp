#include "path/pathGeometry.hpp"
#include "support/quietOutput.hpp"
#include "support/simulationScope.hpp"

#include <gtest/gtest.h>

namespace {
/// Position and state after `ticks` more ticks.
std::string after(placeableObject& unit, int ticks) {
    for (int i = 0; i < ticks; ++i) {
        unit.update();
    }
    return std::to_string(unit.x).substr(0, 5) + " " + std::to_string(unit.y).substr(0, 5) +
           (unit.moving ? " moving" : " idle") +
           (unit.travelPath ? " " + std::to_string(unit.travelPath->size()) + " ahead" : "");
}
} // namespace

TEST(MilitaryUnit, WalksItsWaypointsInTurnAndStopsExactlyOnTheLast) {
    simulationScope run;
    militaryUnit& unit = run.addUnit(run.addFaction("Reds", "Ann"), 1.0f, 1.0f, 2);
    unit.installPath({{1.5f, 1.0f}});
    EXPECT_EQ(after(unit, 250), "1.250 1.000 moving 1 ahead") << "a thousandth of a grid a tick";
    unit.giveEquipment(horse, -1);
    EXPECT_EQ(after(unit, 130), "1.500 1.000 idle") << "twice as far on horseback, then idle without a path";
    unit.installPath({{1.6f, 1.0f}, {1.6f, 1.2f}});
    EXPECT_EQ(after(unit, 51).substr(12), "moving 1 ahead");
    EXPECT_EQ(unit.destY, 1.2f) << "the first waypoint passed, the unit heads for the next";
    EXPECT_EQ(after(unit, 110), "1.600 1.200 idle");
}

TEST(MilitaryUnit, EatsOnDayBoundariesWhetherItMovesOrNot) {
    simulationScope run;
    Faction& faction = run.addFaction("Reds", "Ann");
    militaryUnit& idle = run.addUnit(faction, 1.0f, 1.0f, 4);
    militaryUnit& walking = run.addUnit(faction, 2.0f, 1.0f, 3);
    walking.installPath({{3.0f, 1.0f}});
    for (const auto& [time, idleFood, walkingFood] :
         {std::tuple{SECONDS_PER_TICK, 10000, 10000}, {SECONDS_PER_DAY, 9996, 9997}}) {
        gameTime = time;
        idle.update();
        walking.update();
        EXPECT_EQ(std::make_pair(idle.food, walking.food), std::make_pair(idleFood, walkingFood))
            << "at " << time << " s";
    }
}

TEST(ThreadedMilitaryUnit, AnAttackerFollowsATargetThatMovedAlongEitherAxis) {
    simulationScope run;
    run.useGraph(1000, 100);
    Faction& mine = run.addFaction("Mine", "Me");
    Faction& theirs = run.addFaction("Theirs", "Them");
    quietOutput quiet;
    for (const auto& [dx, dy] : {std::pair{0.2f, 0.0f}, std::pair{0.0f, 0.2f}, std::pair{0.0f, 0.0f}}) {
        run.startSearches(1);
        militaryUnit& attacker = run.addUnit(mine, 0.5f, 0.3f, 2);
        militaryUnit& target = run.addUnit(theirs, 1.0f, 0.5f, 1);
        attacker.installPath({{1.0f, 0.5f}});
        std::tie(attacker.pathAskedX, attacker.pathAskedY) = std::make_pair(2.0f, 0.5f); // as to the target
        attacker.setAttackTarget(&target);
        target.x += dx;
        target.y += dy;
        attacker.update();
        ASSERT_TRUE(run.searchesDone());
        const std::lock_guard<std::mutex> lock(attacker.pathMutex);
        EXPECT_EQ(std::make_pair(attacker.travelPath->back(), microPatherSem->searchesDone()),
                  std::make_pair(waypoint(target.x, target.y), std::uint64_t{dx + dy > 0 ? 1u : 0u}))
            << "the path ends on the target moved by " << dx << ", " << dy;
    }
}

TEST(ThreadedMilitaryUnit, CrossesTheSeamEitherWayTheShortWayOnGroundItMayStandOn) {
    simulationScope run;
    // Ten grids round: a sea from column 300 to 699, and down column 0 a wall of water that ends 20 rows
    // short of the bottom. The short way crosses the seam, round the end of the wall.
    std::vector<std::string> rows(100, std::string(1000, '.'));
    for (std::size_t y = 0; y < rows.size(); ++y) {
        std::fill(rows[y].begin() + 300, rows[y].begin() + 700, '~');
        rows[y][0] = y < 80 ? '~' : '.';
    }
    run.useGraph(1000, 100, rows);
    run.startSearches(1);
    Faction& mine = run.addFaction("Mine", "Me");
    quietOutput quiet;
    // From, to, arriving at (x beyond the seam), the row, the waypoints: under the wall a straight line.
    for (const auto& [fromX, toX, arrivesAt, y, legs] : {std::tuple{9.5f, 0.5f, 10.5f, 0.5f, 0u},
                                                         {0.5f, 9.5f, -0.5f, 0.5f, 0u},
                                                         {9.5f, 0.5f, 10.5f, 0.9f, 1u}}) {
        militaryUnit& unit = run.addUnit(mine, fromX, y, 2);
        unit.setPath(toX + 1.0f, y);
        ASSERT_TRUE(run.searchesDone());
        EXPECT_TRUE(legs == 0 || unit.travelPath->size() == legs) << "a line across the seam, row " << y;
        for (int tick = 0; unit.moving && tick < 5000; ++tick) {
            unit.update();
            ASSERT_GT(
                graph->mapGridTerrain(wrapColumn(getMapGridX(unit.x + 1.0f), 1000), getMapGridY(unit.y)), 0)
                << "in the water at " << unit.x << ", " << unit.y << " from " << fromX;
        }
        EXPECT_EQ(std::make_tuple(unit.x, unit.y, unit.moving.load()), std::make_tuple(arrivesAt, y, false))
            << "from " << fromX << ", past the seam";
    }
}
