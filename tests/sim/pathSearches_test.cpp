#include "support/simulationScope.hpp"
#include "support/testFiles.hpp"

#include <chrono>
#include <gtest/gtest.h>
#include <map>
#include <mutex>
#include <thread>

namespace {

/// 1000 × 100 nodes (ten grids across, so that nothing here is more than half the world away) of land with
/// a water wall down column 150 that stops 20 rows short of the bottom.
constexpr int COLUMNS = 1000;
std::vector<std::string> wallWithAGap() {
    std::vector<std::string> rows(100, std::string(COLUMNS, '.'));
    for (int y = 0; y < 80; ++y) {
        rows[static_cast<std::size_t>(y)][150] = '~';
    }
    return rows;
}

bool waitForSearches(pathSearchPool& pool) {
    return pool.waitUntilIdle(std::chrono::steady_clock::now() + std::chrono::minutes(2));
}

} // namespace

TEST(ThreadedPathSearches, FoundPathsAreStraightenedAndEndOnTheExactDestination) {
    simulationScope run;
    run.useGraph(COLUMNS, 100, wallWithAGap());
    Faction& faction = run.addFaction("Reds", "Ann");
    militaryUnit& unit = run.addUnit(faction, 0.5f, 0.5f, 2);
    testing::internal::CaptureStdout();
    {
        SCOPED_TRACE("in sight: one waypoint, the destination itself");
        unit.calculatePath(2.25f, 0.375f);
        ASSERT_NE(unit.travelPath, nullptr);
        EXPECT_EQ(*unit.travelPath, (std::vector<waypoint>{{1.25f, 0.375f}}));
        EXPECT_TRUE(unit.moving);
        EXPECT_EQ(unit.destX, 1.25f);
        EXPECT_EQ(unit.destY, 0.375f);
    }
    {
        SCOPED_TRACE("the same node: nothing changes");
        unit.calculatePath(1.503f, 0.504f);
        EXPECT_EQ(*unit.travelPath, (std::vector<waypoint>{{1.25f, 0.375f}}));
    }
    {
        SCOPED_TRACE("round the end of the wall");
        unit.y = 0.2f;
        unit.calculatePath(3.5f, 0.2f);
        ASSERT_NE(unit.travelPath, nullptr);
        ASSERT_GE(unit.travelPath->size(), 2u);
        EXPECT_GE(unit.travelPath->front().second, 0.79f);
        EXPECT_EQ(unit.travelPath->back(), waypoint(2.5f, 0.2f));
    }
    {
        SCOPED_TRACE("a goal nobody may enter is answered without a search");
        const std::atomic<bool> go{false};
        const pathAnswer wet = findPath(*graph, makePathQuery(*graph, unit, 2.5f, 0.3f), go);
        EXPECT_EQ(wet.result, micropather::noPath);
        EXPECT_EQ(wet.expansions, 0u);
        const pathAnswer outside = findPath(*graph, makePathQuery(*graph, unit, 2.5f, 1.5f), go);
        EXPECT_EQ(outside.result, micropather::noPath);
        EXPECT_EQ(outside.expansions, 0u);
        const pathAnswer ashore = findPath(*graph, makePathQuery(*graph, unit, 1.4f, 0.2f), go);
        EXPECT_EQ(ashore.result, micropather::pathFound);
        EXPECT_GT(ashore.expansions, 0u);
        const std::atomic<bool> stopped{true};
        const pathAnswer cut = findPath(*graph, makePathQuery(*graph, unit, 1.4f, 0.2f), stopped);
        EXPECT_EQ(cut.result, micropather::noPath);
        EXPECT_EQ(cut.expansions, 1u);
    }
    {
        SCOPED_TRACE("into the water only with a raft each");
        unit.calculatePath(2.5f, 0.3f);
        EXPECT_EQ(unit.travelPath->back(), waypoint(2.5f, 0.2f));
        unit.giveEquipment(raft, -1);
        unit.calculatePath(2.5f, 0.3f);
        EXPECT_EQ(unit.travelPath->back(), waypoint(1.5f, 0.3f));
    }
    EXPECT_EQ(
        testing::internal::GetCapturedStdout(),
        "Pather returned 0\nPather returned 2\nPather returned 0\nPather returned 1\nPather returned 0\n");
}

TEST(ThreadedPathSearches, OneSearchPerObjectAndTicksWhileTheyRun) {
    simulationScope run;
    run.useGraph(COLUMNS, 100, wallWithAGap());
    Faction& faction = run.addFaction("Reds", "Ann");
    militaryUnit& unit = run.addUnit(faction, 0.5f, 0.2f, 2);
    pathSearchPool& searches = run.startSearches(1);
    {
        SCOPED_TRACE("a second request while the first runs is refused");
        testing::internal::CaptureStdout();
        {
            // The search cannot install its path, and so cannot finish, while the tick's lock is held.
            const std::lock_guard<std::mutex> tick(unit.pathMutex);
            unit.setPath(3.5f, 0.2f);
            unit.setPath(1.6f, 0.6f);
        }
        ASSERT_TRUE(waitForSearches(searches));
        const std::string out = testing::internal::GetCapturedStdout();
        // The search may report before or after the refusal; only its path's installation waits for the lock.
        EXPECT_EQ(countOf(out, "Path calculation in progress, cannot calculate a new path.\n"), 1u) << out;
        EXPECT_EQ(countOf(out, "Pather returned 0\n"), 1u) << out;
        EXPECT_EQ(searches.searchesDone(), 1u);
        EXPECT_FALSE(unit.pathInProgress);
        const std::lock_guard<std::mutex> lock(unit.pathMutex);
        EXPECT_EQ(unit.travelPath->back(), waypoint(2.5f, 0.2f));
    }
    {
        SCOPED_TRACE("the unit walks while new paths are searched and installed");
        std::mutex resultsLock;
        std::map<int, int> results;
        searches.onSearchDone = [&](const pathSearchPool::searchRecord& record) {
            const std::lock_guard<std::mutex> guard(resultsLock);
            ++results[record.result];
        };
        testing::internal::CaptureStdout();
        // A frame loop: a tick every tenth of a millisecond, a new request whenever the last one is done.
        for (int requests = 0; requests < 40; std::this_thread::sleep_for(std::chrono::microseconds(100))) {
            if (!unit.pathInProgress) {
                unit.setPath(requests % 2 == 0 ? 1.6f : 3.4f,
                             0.25f + 0.01f * static_cast<float>(requests % 5));
                ++requests;
            }
            unit.update();
        }
        ASSERT_TRUE(waitForSearches(searches));
        testing::internal::GetCapturedStdout();
        // The unit may stand on a goal's node when it is asked for: then nothing is installed.
        EXPECT_EQ(searches.searchesDone(), 41u);
        EXPECT_EQ(results[micropather::pathFound] + results[micropather::startIsGoal], 40);
        EXPECT_EQ(searches.pathsInstalled(), 1u + static_cast<unsigned>(results[micropather::pathFound]));
        const std::lock_guard<std::mutex> lock(unit.pathMutex);
        EXPECT_EQ(unit.travelPath->back(), waypoint(2.4f, 0.29f));
    }
}

TEST(ThreadedPathSearches, StopEndsSearchesInFlightAndDropsTheWaiting) {
    simulationScope run;
    // A goal walled in by mountain tops: every search explores the whole 2000 × 1000 land before giving up.
    std::vector<std::string> rows(1000, std::string(2000, '.'));
    for (int i = 1890; i <= 1910; ++i) {
        rows[890][static_cast<std::size_t>(i)] = rows[910][static_cast<std::size_t>(i)] = '^';
        rows[static_cast<std::size_t>(i - 1000)][1890] = rows[static_cast<std::size_t>(i - 1000)][1910] = '^';
    }
    run.useGraph(2000, 1000, rows);
    Faction& faction = run.addFaction("Reds", "Ann");
    pathSearchPool& searches = run.startSearches(2);
    std::vector<militaryUnit*> units;
    for (int i = 0; i < 6; ++i) {
        units.push_back(&run.addUnit(faction, 0.1f * static_cast<float>(i), 0.5f, 1));
        units.back()->setPath(20.0f, 9.0f);
    }
    searches.stop();
    EXPECT_EQ(searches.searchesDone(), 0u);
    EXPECT_EQ(searches.pathsInstalled(), 0u);
    for (const militaryUnit* unit : units) {
        EXPECT_FALSE(unit->pathInProgress);
        EXPECT_EQ(unit->travelPath, nullptr);
    }
    units.front()->setPath(20.0f, 9.0f);
    EXPECT_FALSE(units.front()->pathInProgress);
}
