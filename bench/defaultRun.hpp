#pragma once

// The default world of seed 11899 as the game starts it, for the benchmarks of the simulation and of the
// saved game. The path searches need its pathing graph: $KESTROVA_GRAPH, else worlds/bench11899/graph.dat
// under the working directory (kestrova --world bench11899 --seed 11899 --generate-only). Run from the
// repository root, where assets/ holds the name lists.

#include "app/gameInit.hpp"
#include "app/random.hpp"
#include "app/settings.hpp"
#include "app/worldFiles.hpp"
#include "path/aStarGraph.hpp"
#include "sim/gameTime.hpp"
#include "ui/gameController.hpp"
#include "world/iceCap.hpp"
#include "world/worldMap.hpp"

#include "sim/AIController.hpp"
#include "sim/Faction.hpp"
#include "sim/pathSearches.hpp"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr unsigned DEFAULT_RUN_SEED = 11899u;
constexpr int DEFAULT_FACTIONS = 50;

/// Sends standard output to /dev/null while alive: the simulation prints its own news there.
class silencedStdout {
  public:
    silencedStdout() {
        std::fflush(stdout);
        saved = dup(STDOUT_FILENO);
        const int nowhere = open("/dev/null", O_WRONLY);
        dup2(nowhere, STDOUT_FILENO);
        close(nowhere);
    }
    ~silencedStdout() {
        std::fflush(stdout);
        dup2(saved, STDOUT_FILENO);
        close(saved);
    }
    silencedStdout(const silencedStdout&) = delete;
    silencedStdout& operator=(const silencedStdout&) = delete;

  private:
    int saved;
};

/// The game's start-up steps 2 to 10 on the default world of the fixed seed; `clock`, when given, drives the
/// game clock. The graph is left empty.
void startDefaultRun(sf::Time* clock) {
    std::ostringstream quiet;
    endRun();
    worldWidth = 360;
    worldHeight = 130;
    lArea = 30;
    seed(DEFAULT_RUN_SEED);
    gameTime = 0;
    currentGameTick = 0;
    graph = std::make_unique<aStarGraph>(worldWidth * 10, worldHeight * 10, quiet);
    if (clock != nullptr) {
        controller = std::make_unique<gameController>([clock] { return *clock; });
    } else {
        controller = std::make_unique<gameController>();
    }
    mapData = std::make_unique<worldMap>();
    northCap = std::make_unique<iceCap>();
    southCap = std::make_unique<iceCap>();
    controller->generateWorld(*mapData, *northCap, *southCap);
    factions = controller->generateFactions(DEFAULT_FACTIONS, "Bench", "Bench's Faction", *mapData, quiet);
}

/// startDefaultRun with the world's pathing graph read from file; false, with the benchmark skipped and the
/// run released, when the graph cannot be read.
bool startRunWithGraph(benchmark::State& state, sf::Time* clock) {
    startDefaultRun(clock);
    const char* fromEnvironment = std::getenv("KESTROVA_GRAPH");
    const std::string path = fromEnvironment != nullptr ? fromEnvironment : "worlds/bench11899/graph.dat";
    try {
        loadGraph(*graph, path);
    } catch (const std::exception& failure) {
        const std::string problem = "cannot read " + path + " (" + failure.what() +
                                    "); run: kestrova --world bench11899 --seed 11899 --generate-only";
        state.SkipWithError(problem.c_str());
        endRun();
        return false;
    }
    return true;
}

/// Path searches on the run's graph, their request-to-path times added to `latencies` (milliseconds, guarded
/// by `lock`), and every computer faction handed to the opponent.
inline void searchAndDriveComputerFactions(std::vector<double>& latencies, std::mutex& lock) {
    microPatherSem = std::make_unique<pathSearchPool>(*graph);
    microPatherSem->onSearchDone = [&](const pathSearchPool::searchRecord& record) {
        const std::lock_guard<std::mutex> guard(lock);
        latencies.push_back(std::chrono::duration<double, std::milli>(record.latency).count());
    };
    AIHandler = std::make_unique<AIController>();
    for (std::size_t f = 1; f < factions.size(); ++f) {
        AIHandler->addFaction(factions[f].get());
    }
}

} // namespace
