#include "app/gameInit.hpp"

#include "app/autosaves.hpp"
#include "app/displayCheck.hpp"
#include "app/exitRequest.hpp"
#include "app/random.hpp"
#include "app/savedGame.hpp"
#include "app/settings.hpp"
#include "app/utilities.hpp"
#include "app/windowFit.hpp"
#include "app/worldFiles.hpp"
#include "app/worldSaves.hpp"
#include "app/worldSelection.hpp"
#include "path/aStarGraph.hpp"
#include "sim/AIController.hpp"
#include "sim/Faction.hpp"
#include "sim/gameTime.hpp"
#include "sim/pathSearches.hpp"
#include "sim/player.hpp"
#include "ui/consoleCommands.hpp"
#include "ui/consoleView.hpp"
#include "ui/gameController.hpp"
#include "view/gameView.hpp"
#include "world/gridGeneration.hpp"
#include "world/iceCap.hpp"
#include "world/worldMap.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <algorithm>
#include <boost/filesystem/operations.hpp>
#include <cmath>
#include <istream>
#include <optional>
#include <ostream>
#include <utility>

std::unique_ptr<aStarGraph> graph;
std::unique_ptr<AIController> AIHandler;
std::unique_ptr<gameController> controller;
std::unique_ptr<worldMap> mapData;
std::unique_ptr<iceCap> northCap;
std::unique_ptr<iceCap> southCap;
std::vector<std::unique_ptr<Faction>> factions;
std::unique_ptr<player> humanPlayer;
std::unique_ptr<gameView> view;
std::unique_ptr<sf::RenderWindow> App;

namespace {
void createDirectory(const std::string& path) {
    boost::system::error_code error;
    boost::filesystem::create_directory(path, error);
    if (!boost::filesystem::is_directory(path)) {
        throw exitRequest(
            1, "Cannot create the directory " + path + " (" + error.message() +
                   "). Check that the working directory is writable and that no file has that name.");
    }
}

/// Step 3: a pending load request, else the world-name prompt.
void chooseWorld(std::istream& in, std::ostream& out, startupOptions& options) {
    if (loadDirectory.empty()) {
        worldName = askWorldName(in, out, options.worldName);
        return;
    }
    out << "Loading world from: " << loadDirectory << std::endl;
    try {
        const std::uint32_t saved = loadSavedSeed(loadDirectory);
        out << "Using seed: " << saved << std::endl;
        useSpecifiedSeed = true;
        worldSeed = static_cast<int>(saved);
    } catch (const std::exception&) {
        out << "World '" << worldName << "'invalid. Generating new world." << std::endl;
    }
    loadDirectory.clear();
}

/// Step 4: the seed fixed by the settings or the console, else the seed prompt.
void chooseSeed(std::istream& in, std::ostream& out, startupOptions& options) {
    if (useSpecifiedSeed) {
        seed(static_cast<unsigned int>(worldSeed));
        if (options.seed) {
            out << "Not using --seed " << *options.seed
                << ": the seed is already fixed (defaultSeed in config.xml).\n";
            options.seed.reset();
        }
        return;
    }
    worldSeed = askSeed(in, out, options.seed);
}

/// A world built before under the chosen name is built again from its recorded seed, and only at its
/// recorded size. Returns whether the seed came from the record.
bool useRecordedSeed(std::ostream& out, startupOptions& options) {
    if (worldName.empty()) {
        return false;
    }
    std::optional<worldRecord> record;
    try {
        record = loadWorldRecord(worldPath(worldName));
    } catch (const std::exception& error) {
        throw exitRequest(1, std::string(error.what()) + ". Restore the file, or choose another world name.");
    }
    if (!record) {
        return false;
    }
    if (record->width != worldWidth || record->height != worldHeight) {
        throw exitRequest(1, "World '" + worldName + "' was built " + intToString(record->width) + " × " +
                                 intToString(record->height) + " map cells, but config.xml now asks for " +
                                 intToString(worldWidth) + " × " + intToString(worldHeight) +
                                 ". Set worldWidth and worldHeight back to open it, or choose another world "
                                 "name.");
    }
    out << "World '" << worldName << "' exists: building it from its recorded seed " << record->seed
        << " (a new name makes a new world).\n";
    worldSeed = record->seed;
    seed(static_cast<unsigned int>(worldSeed));
    options.seed.reset();
    return true;
}

/// The speed of the ladder nearest gameSpeedMultiplier, saying so when it is not one of them.
double startingSpeed(float multiplier, std::ostream& out) {
    const long long percent = std::llround(static_cast<double>(multiplier) * 100.0);
    const double speed = gameSpeed::nearest(percent);
    if (std::fabs(speed * 100.0 - static_cast<double>(percent)) > 0.5) {
        out << "gameSpeedMultiplier " << percent << " in config.xml is not one of the game's speeds ("
            << gameSpeed::ladderText() << " times the normal pace, in percent): starting at "
            << gameSpeed::nameOf(speed) << ".\n";
    }
    return speed;
}

/// Step 12: the saved graph, or every cell grid generated and the graph saved.
void prepareGraph(const std::string& directory, std::ostream& out) {
    const std::string graphPath = directory + "/graph.dat";
    if (!boost::filesystem::exists(graphPath)) {
        removeLeftoverTemporaryFiles(directory);
        saveWorldRecord(directory, worldRecord{worldSeed, worldWidth, worldHeight});
        preloadGrids(*mapData, *graph, directory + "/images", 0, out);
        saveGraph(*graph, graphPath);
        return;
    }
    try {
        loadGraph(*graph, graphPath);
    } catch (const std::exception&) {
        out << "FAILED to Load graph from archive!!\n";
        throw exitRequest(1, graphPath + " is damaged or was made for another world size. Delete it to have "
                                         "it generated again.");
    }
    out << "Loaded graph from archive!!\n";
}

/// Sizes the new window as the console's "scale" does, at the configured scale when the window fits the
/// screen and at the largest that fits otherwise (config.xml is left as it is), and centres it: without a
/// window manager nothing else places it.
void openOnScreen(std::ostream& out) {
    consoleWindow& window = currentGameWindow();
    const sf::Vector2u desktop = window.screenSize();
    const float configured = scale;
    const float fitting = fittingWindowScale(configured, width, height, desktop.x, desktop.y);
    if (fitting != configured) {
        out << "The window at scale " << configured << " does not fit the screen (" << desktop.x << " x "
            << desktop.y << "): using scale " << fitting
            << ". Set resolutionScalePercentage in config.xml to choose another." << std::endl;
    }
    applyWindowScale(fitting, window);
    // The size asked for, which the window system may not have applied yet.
    App->setPosition(centredWindowPosition(windowSizeAt(fitting, width, height), desktop.x, desktop.y));
}

/// Steps 13 to 15: the window, the loading frame, then frames until the window closes, autosaving as due;
/// then the last autosave.
void runWindow(std::ostream& out, autosaves& saves) {
    App = std::make_unique<sf::RenderWindow>(
        sf::VideoMode(static_cast<unsigned>(width), static_cast<unsigned>(height), 32), "Kestrova Game",
        sf::Style::Close);
    openOnScreen(out);
    // An idle window would otherwise draw as fast as it can; ticks do not depend on the frame rate.
    App->setFramerateLimit(60);
    view->loadingScreen(0, view->mapCamera);
    out << "Done loading pathing grid!" << std::endl;
    while (App->isOpen()) {
        view->viewLoopBody();
        saves.afterFrame(*controller);
    }
    for (const std::string& line : saves.leave(*controller)) {
        out << line << std::endl;
    }
}

/// The world's saves to try, newest first, the one chosen in the console before them.
std::vector<std::string> savesToTry(const std::string& directory, const std::optional<std::string>& chosen) {
    std::vector<std::string> paths = savesNewestFirst(directory);
    if (chosen) {
        paths.erase(std::remove(paths.begin(), paths.end(), *chosen), paths.end());
        paths.insert(paths.begin(), *chosen);
    }
    return paths;
}

/// One run of the sequence; returns when the run is over. `chosen`: the save of the current world that the
/// console chose to continue, in place of the prompts. The run's autosaves go to `saves`.
void runOnce(std::istream& in, std::ostream& out, startupOptions& options,
             const std::optional<std::string>& chosen, std::optional<autosaves>& saves) {
    const configData settings = loadFromConfig("config.xml", out, in);

    graph = std::make_unique<aStarGraph>(worldWidth * 10, worldHeight * 10, out);
    microPatherSem = std::make_unique<pathSearchPool>(*graph);
    AIHandler = std::make_unique<AIController>();
    relaunchWithNewSeed = false;
    display = 0;

    if (chosen) {
        useSpecifiedSeed = true; // the current world again, from its seed
    } else {
        chooseWorld(in, out, options);
    }
    if (!useRecordedSeed(out, options)) {
        chooseSeed(in, out, options);
        if (worldName.empty()) {
            worldName = "world" + intToString(worldSeed);
            useRecordedSeed(out, options);
        }
    }

    controller = std::make_unique<gameController>();
    // The computer opponent steps once a tick, so that a game takes the same course at every speed.
    controller->afterEachTick = [] { AIHandler->updateAI(); };
    controller->speed.set(startingSpeed(gameSpeedMultiplier, out));
    mapData = std::make_unique<worldMap>();
    northCap = std::make_unique<iceCap>();
    southCap = std::make_unique<iceCap>();

    out << "Generating world with seed: " << worldSeed << "\n";
    const std::string directory = worldPath(worldName);
    createDirectory(worldDirectory);
    createDirectory(directory);
    createDirectory(directory + "/images");

    controller->generateWorld(*mapData, *northCap, *southCap);
    out << "Done generating world map!\n";

    // A world saved with its game goes on from its newest save, unless gen asked for a new game.
    savedGameOpening opening;
    if (!std::exchange(startAfresh, false)) {
        opening =
            openSavedGame(savesToTry(directory, chosen), *controller, *AIHandler, out, chosen.has_value());
    }
    if (!opening.continued) {
        factions =
            controller->generateFactions(numFactions, humanName, humanName + "'s Faction", *mapData, out);
        out << "Done generating factions!\n";
    }

    if (!options.generateOnly) {
        view = std::make_unique<gameView>();
        view->viewInit(mapData.get(), northCap.get(), southCap.get(), controller.get());
        if (!opening.line.empty()) {
            view->console->appendLog(opening.line);
        }
    }
    prepareGraph(directory, out);
    controller->resumePendingPaths();
    if (!options.generateOnly) {
        saves.emplace(directory, currentWorld(), settings.autosaveDays, currentGameTick);
        view->console->saves = &*saves;
        runWindow(out, *saves);
    }
}
} // namespace

void endRun() {
    if (microPatherSem) {
        microPatherSem->stop();
    }
    microPatherSem.reset();
    // The view and its window go first: they point at everything below. The font's glyph textures
    // must not outlive the graphics library's context, which goes with the last window.
    view.reset();
    App.reset();
    arial = sf::Font();
    AIHandler.reset();
    humanPlayer.reset();
    factions.clear();
    southCap.reset();
    northCap.reset();
    mapData.reset();
    controller.reset();
    graph.reset();
}

void gameInit(startupOptions options, std::istream& in, std::ostream& out) {
    if (!options.generateOnly) {
        const std::string problem = displayProblem();
        if (!problem.empty()) {
            throw exitRequest(1, "No display can be reached (" + problem +
                                     "), so the game window cannot open. Use --generate-only to build a "
                                     "world without a window.");
        }
    }
    std::optional<std::string> chosen;
    do {
        // Outlives the run's objects, the console pointing at it among them.
        std::optional<autosaves> saves;
        // However the run ends, no path search outlives the objects and the graph it reads.
        struct runEnd {
            ~runEnd() { endRun(); }
        } releaseAtEnd;
        runOnce(in, out, options, chosen, saves);
        chosen = saves ? saves->chosen : std::nullopt;
    } while (relaunchWithNewSeed);
}
