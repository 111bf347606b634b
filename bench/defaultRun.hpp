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

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sstream>
#include <string>
#include <unistd.h>

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

} // namespace
