// The whole simulation on the default world for a while, as the game runs it: every computer faction driven
// by the opponent, path searches on their threads, a tick and an opponent step every frame.
#include "app/exitRequest.hpp"
#include "sim/AIController.hpp"
#include "support/simulationScope.hpp"
#include "support/testFiles.hpp"
#include "ui/gameController.hpp"
#include "world/gridGeneration.hpp"
#include "world/iceCap.hpp"
#include "world/worldMap.hpp"

#include <chrono>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

// Sanitizers slow everything down several times: their runs are shorter and expect less.
#if defined(KESTROVA_SANITIZED_BUILD)
constexpr int SOAK_TICKS = 1200;
constexpr std::uint64_t MIN_PATHS = 100;
constexpr int MIN_ATTACKS = 5;
constexpr std::size_t MIN_CAPTURES = 1;
#else
constexpr int SOAK_TICKS = 4800;
constexpr std::uint64_t MIN_PATHS = 1000;
constexpr int MIN_ATTACKS = 20;
constexpr std::size_t MIN_CAPTURES = 5;
#endif
/// Real time a frame gives the searches, as at 60 frames a second.
constexpr std::chrono::microseconds FRAME(16667);

/// Checks that every living person stands in exactly one list of an object in play and the dead in none, and
/// that every listed person was made in this run. Returns the number of the dead.
std::size_t checkPeopleLedger() {
    std::set<const person*> made;
    std::map<const person*, int> inPlayLists;
    std::map<const person*, int> anyLists;
    for (const auto& faction : factions) {
        made.insert(faction->leader.get());
        for (const auto& object : faction->objectsMade()) {
            for (const auto& p : object->peopleMade()) {
                made.insert(p.get());
            }
            for (const person* p : object->people) {
                ++anyLists[p];
                inPlayLists[p] += object->inPlay() ? 1 : 0;
            }
        }
    }
    std::size_t dead = 0;
    for (const person* p : made) {
        if (p->alive) {
            EXPECT_EQ(inPlayLists[p], 1) << p->name << " stands in " << inPlayLists[p] << " lists in play";
            EXPECT_EQ(anyLists[p], 1) << p->name << " stands in " << anyLists[p] << " lists";
        } else {
            EXPECT_EQ(anyLists[p], 0) << "a dead " << p->name << " still stands in a list";
            ++dead;
        }
    }
    for (const auto& [p, count] : anyLists) {
        EXPECT_EQ(made.count(p), 1u) << "someone nobody made stands in a list";
    }
    return dead;
}

} // namespace

TEST(ThreadedSimulation, soakOnTheDefaultWorldWithEveryComputerFactionDriven) {
    simulationScope run;
    worldWidth = 360;
    worldHeight = 130;
    lArea = 30;
    numFactions = 50;
    seed(11899u);
    temporaryDirectory images;
    std::ostringstream quiet;
    sf::Time now;

    testing::internal::CaptureStdout();
    graph = std::make_unique<aStarGraph>(worldWidth * 10, worldHeight * 10, quiet);
    controller = std::make_unique<gameController>([&now] { return now; });
    mapData = std::make_unique<worldMap>();
    northCap = std::make_unique<iceCap>();
    southCap = std::make_unique<iceCap>();
    controller->generateWorld(*mapData, *northCap, *southCap);
    factions = controller->generateFactions(numFactions, "Soak", "Soak's Faction", *mapData, quiet);
    preloadGrids(*mapData, *graph, images.path(), 0, quiet);
    microPatherSem = std::make_unique<pathSearchPool>(*graph);
    AIHandler = std::make_unique<AIController>();
    for (std::size_t f = 1; f < factions.size(); ++f) {
        AIHandler->addFaction(factions[f].get());
    }

    bool gameOver = false;
    std::size_t dead = 0;
    int days = 0;
    for (int frame = 0; frame < SOAK_TICKS && !gameOver; ++frame) {
        const auto frameEnd = std::chrono::steady_clock::now() + FRAME;
        now += sf::milliseconds(controller->tickInterval + 1);
        ASSERT_TRUE(controller->processGameTick());
        try {
            AIHandler->updateAI();
        } catch (const exitRequest& request) {
            EXPECT_EQ(request.exitCode(), 1);
            gameOver = true;
        }
        if (isDayBoundary()) {
            SCOPED_TRACE("day " + std::to_string(++days));
            dead = checkPeopleLedger();
        }
        // Searches go on between ticks for at most a frame, as at 60 frames a second.
        microPatherSem->waitUntilIdle(frameEnd);
    }
    const std::uint64_t paths = microPatherSem->pathsInstalled();
    endRun();
    const std::string out = testing::internal::GetCapturedStdout();
    const std::string& log = run.console.text();
    const int attacks =
        static_cast<int>(countOf(log, "The attacker has won!") + countOf(log, "The defender has won!"));
    const std::size_t captures = countOf(out, "City defeat called.");
    std::cerr << "soak: " << days << " days" << (gameOver ? " until the game was over" : "") << ", " << paths
              << " paths installed, " << attacks << " attacks, " << captures << " cities captured, " << dead
              << " dead\n";
    if (gameOver) {
        EXPECT_NE(out.find("Game over? No more targets?\n"), std::string::npos);
        return;
    }
    EXPECT_GE(paths, MIN_PATHS);
    EXPECT_GE(attacks, MIN_ATTACKS);
    EXPECT_GE(captures, MIN_CAPTURES);
}
