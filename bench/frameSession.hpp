#pragma once

// The run's objects of the default world with a real window, for benchmarks of whole frames (run under
// scripts/withXvfb.sh).

#include "app/gameInit.hpp"
#include "app/worldFiles.hpp"
#include "app/worldSelection.hpp"
#include "benchWorld.hpp"
#include "path/aStarGraph.hpp"
#include "path/pathGeometry.hpp"
#include "sim/Faction.hpp"
#include "sim/placeableObject.hpp"
#include "sim/player.hpp"
#include "support/testFiles.hpp"
#include "ui/gameController.hpp"
#include "view/gameView.hpp"
#include "view/gridGeometry.hpp"
#include "world/gridGeneration.hpp"
#include "world/iceCap.hpp"
#include "world/terrainImage.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <boost/filesystem.hpp>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <vector>

namespace {

constexpr int SELECTED_ROW = 6;

/// The run's objects as start-up makes them, with the grid pictures of the block around the selection,
/// in a fresh folder that is the working directory while it lives. The game's reports are silenced.
/// With `defaultFactions`, the 50 factions of a default game stand on the map and the view selects the
/// human's city; without, there are no factions and the view selects column 18, row 6.
class frameSession {
  public:
    explicit frameSession(bool defaultFactions = false)
        : home(boost::filesystem::current_path()), savedOutput(std::cout.rdbuf(silent().rdbuf())) {
        boost::filesystem::create_directory_symlink(std::string(KESTROVA_SOURCE_DIR) + "/assets",
                                                    folder.file("assets"));
        boost::filesystem::current_path(folder.path());
        worldName = "frames";
        const std::string images = imageDirectoryPath(worldPath(worldName));
        boost::filesystem::create_directories(images);

        mapData = generateDefaultMap();
        northCap = std::make_unique<iceCap>();
        southCap = std::make_unique<iceCap>();
        northCap->gen();
        southCap->gen();
        graph = std::make_unique<aStarGraph>(worldWidth * 10, worldHeight * 10, silent());
        controller = std::make_unique<gameController>();
        int selectedColumn = 18;
        int selectedRow = SELECTED_ROW;
        if (defaultFactions) {
            factions = controller->generateFactions(50, "Bench", "Bench's Faction", *mapData, silent());
            const placeableObject& city = *factions.front()->objects.front();
            // The grid view centres on column gridX − 1.
            selectedColumn = wrapColumn(static_cast<int>(city.x) + 1, numHorizontalGrids());
            selectedRow = static_cast<int>(city.y);
        }
        boost::mutex lock;
        float progress = 0;
        for (const gridToLoad& grid :
             gridLoadBlock(selectedColumn, selectedRow, numHorizontalGrids(), numVerticalGrids())) {
            generateGridTerrain(grid.column, grid.row, *mapData, *graph, images, lock, progress, silent());
        }
        view = std::make_unique<gameView>();
        view->viewInit(mapData.get(), northCap.get(), southCap.get(), controller.get());
        App = std::make_unique<sf::RenderWindow>(sf::VideoMode(1920, 1080, 32), "Kestrova Game",
                                                 sf::Style::Close);
        view->gridX = selectedColumn;
        view->gridY = selectedRow;
        display = 0;
    }
    ~frameSession() {
        view.reset();
        App.reset();
        arial = sf::Font();
        humanPlayer.reset();
        factions.clear();
        controller.reset();
        graph.reset();
        mapData.reset();
        northCap.reset();
        southCap.reset();
        display = 0;
        boost::filesystem::current_path(home);
        std::cout.rdbuf(savedOutput);
    }
    frameSession(const frameSession&) = delete;
    frameSession& operator=(const frameSession&) = delete;

  private:
    temporaryDirectory folder;
    boost::filesystem::path home;
    std::streambuf* savedOutput;
};

/// False, with the benchmark skipped, when there is no display to open a window on.
inline bool displayAvailable(benchmark::State& state) {
    const char* displayName = std::getenv("DISPLAY");
    if (displayName == nullptr || *displayName == '\0') {
        state.SkipWithError("needs a display");
        return false;
    }
    return true;
}

/// Reports the median and the 99th percentile of `milliseconds` as the counters median_ms and p99_ms.
inline void reportPercentiles(benchmark::State& state, std::vector<double> milliseconds,
                              const std::string& name = "") {
    std::sort(milliseconds.begin(), milliseconds.end());
    state.counters[name + "median_ms"] = milliseconds[milliseconds.size() / 2];
    state.counters[name + "p99_ms"] = milliseconds[milliseconds.size() * 99 / 100];
}

/// Times one frame of the current view per iteration, after 30 frames to settle.
inline void timeFrames(benchmark::State& state) {
    for (int warmUp = 0; warmUp < 30; ++warmUp) {
        view->viewLoopBody();
    }
    std::vector<double> milliseconds;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        view->viewLoopBody();
        milliseconds.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    reportPercentiles(state, milliseconds);
}

} // namespace
