#pragma once

#include "app/consoleLog.hpp"
#include "app/gameInit.hpp"
#include "app/nameLists.hpp"
#include "app/random.hpp"
#include "path/aStarGraph.hpp"
#include "sim/Faction.hpp"
#include "sim/city.hpp"
#include "sim/gameTime.hpp"
#include "sim/militaryUnit.hpp"
#include "sim/pathSearches.hpp"
#include "sim/player.hpp"
#include "support/settingsGuard.hpp"
#include "support/testFiles.hpp"

#include <chrono>
#include <memory>
#include <sstream>
#include <string>

/// A run of the simulation for one test: the console log is captured, and at scope end the run's objects,
/// the calendar, the console and the settings are put back as they were.
class simulationScope {
  public:
    simulationScope() {
        globalConsoleReference = &console;
        currentGameTick = 1;
        gameTime = SECONDS_PER_TICK; // not a day boundary: nobody eats unless a test says so
        seed(1u);
    }
    ~simulationScope() {
        endRun();
        globalConsoleReference = nullptr;
        currentGameTick = 0;
        gameTime = 0;
    }
    simulationScope(const simulationScope&) = delete;
    simulationScope& operator=(const simulationScope&) = delete;

    /// Appends a faction to the run's list, with the name source of its place as in a new game; the first
    /// one added becomes the human's.
    Faction& addFaction(const std::string& name, const std::string& leaderName) {
        Faction& added = *factions.emplace_back(std::make_unique<Faction>(name, leaderName));
        added.personNames =
            nameSource(readPersonNames(), nameSource::startState(worldSeed, factions.size() - 1));
        if (!humanPlayer) {
            humanPlayer = std::make_unique<player>(name, &added, added.leader.get());
        }
        return added;
    }

    /// An empty city of `faction`, in play.
    city& addCity(Faction& faction, float x, float y, const std::string& name = "Town") {
        city* made = faction.keep(std::make_unique<city>(name, &faction, x, y, false));
        faction.addObject(made);
        return *made;
    }

    /// A unit of `faction` made of `soldiers` new soldiers (the leader not among them), in play.
    militaryUnit& addUnit(Faction& faction, float x, float y, int soldiers,
                          const std::string& name = "Unit") {
        militaryUnit* made =
            faction.keep(std::make_unique<militaryUnit>(name, &faction, x, y, std::vector<person*>{}));
        addPeople(*made, soldiers, Soldier, true);
        faction.addObject(made);
        return *made;
    }

    /// Appends `count` new people of one job and sex to `object`.
    static void addPeople(placeableObject& object, int count, occupation job, bool male) {
        for (int i = 0; i < count; ++i) {
            object.addNewPerson(std::make_unique<person>("P", object.faction, job))->isMale = male;
        }
    }

    /// A pathing graph of `columns` × `rows` nodes from rows of text, one character per node: '.' or missing
    /// land (height 100), '~' water (-20), '^' mountain top (7000). Sets the world width to match.
    void useGraph(int columns, int rows, const std::vector<std::string>& picture = {}) {
        std::ostringstream quiet;
        graph = std::make_unique<aStarGraph>(columns, rows, quiet);
        graph->mapGridTerrain.fill(100);
        for (int y = 0; y < static_cast<int>(picture.size()) && y < rows; ++y) {
            for (int x = 0; x < static_cast<int>(picture[y].size()) && x < columns; ++x) {
                const char cell = picture[y][x];
                graph->mapGridTerrain(x, y) = cell == '~' ? -20 : cell == '^' ? 7000 : 100;
            }
        }
        worldWidth = columns / 10;
    }

    /// Path searches on the current graph, `permits` at once.
    pathSearchPool& startSearches(unsigned permits = pathSearchPool::PERMITS) {
        microPatherSem = std::make_unique<pathSearchPool>(*graph, permits);
        return *microPatherSem;
    }

    /// Waits for the searches asked for so far; false after a minute.
    static bool searchesDone() {
        return microPatherSem->waitUntilIdle(std::chrono::steady_clock::now() + std::chrono::minutes(1));
    }

    consoleLog console;
    settingsGuard settings;
};
