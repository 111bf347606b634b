// Frame times of the default world in each view mode, in a real window (run under xvfb-run).
#include "app/gameInit.hpp"
#include "app/worldFiles.hpp"
#include "app/worldSelection.hpp"
#include "benchWorld.hpp"
#include "path/aStarGraph.hpp"
#include "sim/Faction.hpp"
#include "sim/placeableObject.hpp"
#include "sim/player.hpp"
#include "support/testFiles.hpp"
#include "ui/gameController.hpp"
#include "view/gameView.hpp"
#include "view/gridGeometry.hpp"
#include "view/gridView.hpp"
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

/// The run's objects as start-up makes them, the default 50 factions among them, with the view selecting
/// the human's city and the grid pictures of the block around it, in a fresh folder that is the working
/// directory while it lives. The game's reports are silenced.
class frameSession {
  public:
    frameSession() : home(boost::filesystem::current_path()), savedOutput(std::cout.rdbuf(silent().rdbuf())) {
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
        factions = controller->generateFactions(50, "Bench", "Bench's Faction", *mapData, silent());
        const placeableObject& city = *factions.front()->objects.front();
        // The grid view centres on column gridX − 1.
        const int selectedColumn = wrapColumn(static_cast<int>(city.x) + 1, numHorizontalGrids());
        const int selectedRow = static_cast<int>(city.y);
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

/// One frame of the view mode given as the argument (0 world map, 1 grid view, 2 cell view); reports the
/// median and the 99th percentile of the frame times in milliseconds.
void BM_Frame(benchmark::State& state) {
    const char* displayName = std::getenv("DISPLAY");
    if (displayName == nullptr || *displayName == '\0') {
        state.SkipWithError("needs a display");
        return;
    }
    const frameSession session;
    if (state.range(0) >= 1) {
        view->switchToGridView();
    }
    if (state.range(0) == 2) {
        view->gridViewer->zoomIn();
    }
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
    std::sort(milliseconds.begin(), milliseconds.end());
    state.counters["median_ms"] = milliseconds[milliseconds.size() / 2];
    state.counters["p99_ms"] = milliseconds[milliseconds.size() * 99 / 100];
}
BENCHMARK(BM_Frame)->Arg(0)->Arg(1)->Arg(2)->Iterations(600)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
