// The saved game after 40 game days of the default world with every computer faction driven: the size of
// game.dat, the console's save from the command to the reply with path searches in flight, an autosave (the
// frame that starts one, and the whole autosave until its file is written), and opening the world from
// game.dat against generating the factions, as a world without a saved game does (the difference is what
// loading adds to opening the world). The world and its graph: see defaultRun.hpp.

#include "app/autosaves.hpp"
#include "app/savedGame.hpp"
#include "app/worldSaves.hpp"
#include "app/worldSelection.hpp"
#include "defaultRun.hpp"
#include "frameSession.hpp"
#include "sim/AIController.hpp"
#include "sim/Faction.hpp"
#include "sim/pathSearches.hpp"
#include "sim/player.hpp"
#include "support/testFiles.hpp"
#include "ui/consoleCommands.hpp"
#include "ui/consoleView.hpp"

#include <algorithm>
#include <boost/filesystem.hpp>
#include <chrono>

namespace {

constexpr int FORTY_DAYS = 40 * SECONDS_PER_DAY / SECONDS_PER_TICK;
const char* const SAVED_WORLD = "bench-save";

/// A frame of the game: a tick, then the opponent's step.
void frame(sf::Time& clock) {
    clock += sf::milliseconds(controller->tickInterval + 1);
    controller->processGameTick();
    AIHandler->updateAI();
}

/// The default world played for 40 game days with every computer faction driven, the path searches finished
/// every tenth frame; false, with the benchmark skipped, when the graph cannot be read.
bool playFortyDays(benchmark::State& state, sf::Time& clock) {
    if (!startRunWithGraph(state, &clock)) {
        return false;
    }
    microPatherSem = std::make_unique<pathSearchPool>(*graph);
    AIHandler = std::make_unique<AIController>();
    for (std::size_t f = 1; f < factions.size(); ++f) {
        AIHandler->addFaction(factions[f].get());
    }
    while (currentGameTick < FORTY_DAYS) {
        frame(clock);
        if (currentGameTick % 10 == 0) {
            microPatherSem->waitUntilIdle(std::chrono::steady_clock::now() + std::chrono::minutes(1));
        }
    }
    return true;
}

/// A temporary working directory holding the world's folder worlds/bench-save, the current world's name
/// while it lasts.
class saveFolder {
  public:
    saveFolder() : home(boost::filesystem::current_path()), savedName(worldName) {
        boost::filesystem::current_path(folder.path());
        boost::filesystem::create_directories(worldDirectory + "/" + SAVED_WORLD);
        worldName = SAVED_WORLD;
    }
    ~saveFolder() {
        worldName = savedName;
        boost::filesystem::current_path(home);
    }
    saveFolder(const saveFolder&) = delete;
    saveFolder& operator=(const saveFolder&) = delete;

    std::string gameFile() const { return folder.file(worldDirectory + "/" + SAVED_WORLD + "/game.dat"); }

  private:
    temporaryDirectory folder;
    boost::filesystem::path home;
    std::string savedName;
};

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_SaveCommandAfterFortyDays(benchmark::State& state) {
    const silencedStdout quiet;
    sf::Time clock;
    if (!playFortyDays(state, clock)) {
        return;
    }
    const saveFolder folder;
    consoleView console(controller.get());
    double slowest = 0.0;
    for (auto _ : state) {
        // The frame's searches are still in flight when the command comes.
        frame(clock);
        console.clearLog();
        const auto start = std::chrono::steady_clock::now();
        runConsoleCommand("save", console, controller.get(), currentGameWindow());
        const double seconds = secondsSince(start);
        state.SetIterationTime(seconds);
        slowest = std::max(slowest, seconds);
        if (countOf(console.text(), "Game saved: ") != 1) {
            state.SkipWithError(console.text().c_str());
            break;
        }
    }
    state.counters["fileBytes"] = static_cast<double>(boost::filesystem::file_size(folder.gameFile()));
    state.counters["slowestMs"] = slowest * 1000.0;
    state.counters["tick"] = currentGameTick;
    endRun();
}

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return secondsSince(start) * 1000.0;
}

/// Per iteration, a frame of the game (a tick and the opponent's step) that starts an autosave, then five
/// frames while the autosave thread writes; the frames' times in milliseconds: median and 99th percentile of
/// those that start one (and of those that follow: with_), the slowest, and the autosave's size. Then ten
/// autosaves each waited for: their mean time from the start to the file written (whole_ms).
void BM_AutosaveFrameAfterFortyDays(benchmark::State& state) {
    const silencedStdout quiet;
    sf::Time clock;
    if (!playFortyDays(state, clock)) {
        return;
    }
    const saveFolder folder;
    const std::string directory = worldDirectory + "/" + SAVED_WORLD;
    autosaves saves(directory, currentWorld(), 0, currentGameTick);
    std::vector<double> starting;
    std::vector<double> following;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        frame(clock);
        saves.start(*controller);
        starting.push_back(millisecondsSince(start));
        for (int k = 0; k < 5; ++k) {
            start = std::chrono::steady_clock::now();
            frame(clock);
            following.push_back(millisecondsSince(start));
        }
        if (saves.finish().rfind("Autosaved: ", 0) != 0) {
            state.SkipWithError("an autosave was not written");
            break;
        }
    }
    state.counters["slowest_ms"] = *std::max_element(starting.begin(), starting.end());
    reportPercentiles(state, starting);
    reportPercentiles(state, following, "with_");
    const std::vector<std::string> written = savesNewestFirst(directory);
    state.counters["bytes"] = static_cast<double>(boost::filesystem::file_size(written.front()));
    state.counters["kept"] = static_cast<double>(written.size());
    const auto start = std::chrono::steady_clock::now();
    for (int k = 0; k < 10; ++k) {
        frame(clock);
        saves.start(*controller);
        (void)saves.finish();
    }
    state.counters["whole_ms"] = millisecondsSince(start) / 10.0;
    endRun();
}

/// Range 1: the 40-day game read from game.dat and put in play; range 0: the factions generated instead.
void BM_OpenWorldAfterFortyDays(benchmark::State& state) {
    const silencedStdout quiet;
    sf::Time clock;
    if (!playFortyDays(state, clock)) {
        return;
    }
    const temporaryDirectory folder;
    const std::string path = folder.file("game.dat");
    saveCurrentGame(path, *controller);
    // Nothing may search while the game is replaced.
    microPatherSem->stop();
    std::ostringstream out;
    for (auto _ : state) {
        // Releasing the game before is not part of opening a world.
        controller->selectedObject = nullptr;
        humanPlayer.reset();
        factions.clear();
        AIHandler->controlledFactions.clear();
        seed(DEFAULT_RUN_SEED);
        const auto start = std::chrono::steady_clock::now();
        if (state.range(0) == 0) {
            factions =
                controller->generateFactions(DEFAULT_FACTIONS, "Bench", "Bench's Faction", *mapData, out);
        } else if (!openSavedGame(path, *controller, *AIHandler, out).continued) {
            state.SkipWithError(out.str().c_str());
            break;
        }
        state.SetIterationTime(secondsSince(start));
    }
    endRun();
}

} // namespace

BENCHMARK(BM_SaveCommandAfterFortyDays)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_AutosaveFrameAfterFortyDays)->Unit(benchmark::kMillisecond)->Iterations(200)->UseRealTime();
BENCHMARK(BM_OpenWorldAfterFortyDays)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
