#include "ui/consoleCommands.hpp"

#include "app/autosaves.hpp"
#include "app/gameInit.hpp"
#include "app/savedGame.hpp"
#include "app/settings.hpp"
#include "app/statisticsFile.hpp"
#include "app/utilities.hpp"
#include "app/windowFit.hpp"
#include "app/worldFiles.hpp"
#include "app/worldSaves.hpp"
#include "app/worldSelection.hpp"
#include "sim/AIController.hpp"
#include "sim/Faction.hpp"
#include "sim/combat.hpp"
#include "sim/gameTime.hpp"
#include "sim/placeableObject.hpp"
#include "sim/player.hpp"
#include "ui/commandBar.hpp"
#include "ui/consoleView.hpp"
#include "ui/gameController.hpp"
#include "ui/panelTexts.hpp"
#include "view/gameView.hpp"
#include "view/mapPicture.hpp"
#include "world/iceCap.hpp"
#include "world/worldMap.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/VideoMode.hpp>
#include <algorithm>
#include <boost/lexical_cast.hpp>
#include <cmath>
#include <optional>
#include <stdexcept>

const char* const CONSOLE_HELP = "Available commands: help, clear, save, saves, continue <n>,\n"
                                 "load <worldname>, gen, gen <seed>, pause, resume, speed <n>,\n"
                                 "scale <float>, give <raft, horse, mountainGear>, rename <name>,\n"
                                 "addAI [all], factions, stats, mapshot";

namespace {

class appWindow : public consoleWindow {
  public:
    void close() override {
        if (App) {
            App->close();
        }
    }
    void setSize(unsigned widthPixels, unsigned heightPixels) override {
        if (App) {
            App->setSize(sf::Vector2u(widthPixels, heightPixels));
        }
    }
    sf::Vector2u screenSize() const override {
        const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
        return {desktop.width, desktop.height};
    }
};

/// True, with the rest of the line as `argument`, when the line starts with `keyword` and a blank.
bool argumentOf(const std::string& line, const std::string& keyword, std::string& argument) {
    const std::string prefix = keyword + " ";
    if (line.compare(0, prefix.size(), prefix) != 0) {
        return false;
    }
    argument = line.substr(prefix.size());
    return true;
}

/// The selected object for a command that changes it: there is one and it is still in play (else says so).
placeableObject* selectionToChange(consoleView& console, gameController* controller) {
    placeableObject* selected = controller != nullptr ? controller->selectedObject : nullptr;
    if (selected == nullptr) {
        console.appendLog("No object selected.");
        return nullptr;
    }
    if (!selected->inPlay()) {
        logLeftPlay(*selected);
        return nullptr;
    }
    return selected;
}

void closeFor(consoleWindow& window) {
    relaunchWithNewSeed = true;
    window.close();
}

/// gen: another world, or the same one afresh.
void closeForNewGame(consoleWindow& window) {
    startAfresh = true;
    closeFor(window);
}

void generate(const std::string& seedText, consoleView& console, consoleWindow& window, std::ostream& out) {
    try {
        worldSeed = parseSeed(seedText);
    } catch (const boost::bad_lexical_cast& error) {
        out << "Error: " << error.what() << "\n";
        console.appendLog("Seed must be an integer, try again.");
        return;
    }
    useSpecifiedSeed = true;
    closeForNewGame(window);
}

/// The seed, then the whole game beside it (a console without a game saves only the seed).
void save(consoleView& console, const gameController* controller) {
    const std::string directory = worldPath(worldName);
    try {
        saveGameData(directory);
        console.appendLog("World saved to: " + directory + "/gamedata.dat");
    } catch (const std::exception& error) {
        console.appendLog(std::string(error.what()) + ". The world was not saved.");
        return;
    }
    if (controller == nullptr) {
        return;
    }
    const std::string path = directory + "/game.dat";
    try {
        saveCurrentGame(path, *controller);
        console.appendLog("Game saved: " + path + ", tick " + std::to_string(currentGameTick) + ", " +
                          gameDateText(gameTime));
    } catch (const std::exception& error) {
        console.appendLog(std::string(error.what()) + ". The game was not saved.");
    }
}

/// The run's autosaves once a write in flight has ended (its line logged); null, said, without a world.
autosaves* savesOf(consoleView& console) {
    if (console.saves == nullptr) {
        console.appendLog("No world is open, so there are no saves.");
        return nullptr;
    }
    const std::string written = console.saves->finish();
    if (!written.empty()) {
        console.appendLog(written);
    }
    return console.saves;
}

/// saves: the world's saves, newest first and numbered, each with its tick and date or why it cannot be
/// continued.
void listSaves(consoleView& console) {
    autosaves* saves = savesOf(console);
    if (saves == nullptr) {
        return;
    }
    saves->listed = savesNewestFirst(saves->folder());
    if (saves->listed.empty()) {
        console.appendLog("This world has no saves yet: save writes one, and so does every autosave.");
        return;
    }
    console.appendLog("Saves of this world, newest first (continue <n> goes on from one):");
    for (std::size_t k = 0; k < saves->listed.size(); ++k) {
        const std::string& path = saves->listed[k];
        std::string state;
        try {
            const savedGame game = loadSavedGame(path, saves->savedWorld());
            state = "tick " + std::to_string(game.tick) + ", " + gameDateText(game.time);
        } catch (const savedGameRefused& refusal) {
            state = std::string("cannot be continued: ") + refusal.what();
        }
        console.appendLog(std::to_string(k + 1) + ". " + path + ": " + state);
    }
}

/// continue <n>: the next run goes on from the n-th save that saves listed (the newest first when none was
/// listed yet).
void continueSave(const std::string& numberText, consoleView& console, consoleWindow& window) {
    autosaves* saves = savesOf(console);
    if (saves == nullptr) {
        return;
    }
    if (saves->listed.empty()) {
        saves->listed = savesNewestFirst(saves->folder());
    }
    std::size_t number = 0;
    if (!boost::conversion::try_lexical_convert(numberText, number) || number < 1 ||
        number > saves->listed.size()) {
        console.appendLog(saves->listed.empty()
                              ? std::string("This world has no saves to continue.")
                              : "continue takes the number of a save that saves lists, from 1 to " +
                                    std::to_string(saves->listed.size()) + ".");
        return;
    }
    const std::string& path = saves->listed[number - 1];
    try {
        (void)loadSavedGame(path, saves->savedWorld());
    } catch (const savedGameRefused& refusal) {
        console.appendLog(path + " cannot be continued: " + refusal.what() + ".");
        return;
    }
    saves->chosen = path;
    closeFor(window);
}

void load(const std::string& name, consoleView& console, consoleWindow& window) {
    const bool blank = isBlankWorldName(name);
    const std::string problem = blank ? "" : worldNameProblem(name);
    if (blank || !problem.empty()) {
        console.appendLog("World name not valid, try again.");
        if (!problem.empty()) {
            console.appendLog(problem);
        }
        return;
    }
    worldName = name;
    loadDirectory = worldPath(name);
    closeFor(window);
}

void rescale(const std::string& valueText, consoleView& console, consoleWindow& window, std::ostream& out) {
    float value = 0.0f;
    try {
        value = boost::lexical_cast<float>(valueText);
    } catch (const boost::bad_lexical_cast& error) {
        out << "Error: " << error.what() << "\n";
        console.appendLog("Scale must be a float: try again.");
        return;
    }
    // NaN fails both comparisons.
    if (!(value >= MIN_WINDOW_SCALE && value <= MAX_WINDOW_SCALE)) {
        console.appendLog("Scale must be from 0.01 to 10: try again.");
        return;
    }
    // A window larger than the screen would hide the command line that could make it smaller again.
    const sf::Vector2u screen = window.screenSize();
    const float fitting = fittingWindowScale(value, width, height, screen.x, screen.y);
    if (fitting != value) {
        console.appendLog("The window at scale " + floatToString(value) + " would not fit the screen (" +
                          std::to_string(screen.x) + " x " + std::to_string(screen.y) +
                          "): the largest scale that fits is " + floatToString(fitting) + ".");
        return;
    }
    applyWindowScale(value, window);
}

/// speed: says the game's speed; speed <n>: sets it, when n is on the ladder.
void changeSpeed(const std::optional<std::string>& wanted, consoleView& console, gameController* controller) {
    if (controller == nullptr) {
        return;
    }
    gameSpeed& speed = controller->speed;
    if (!wanted) {
        console.appendLog("Game speed: " + gameSpeed::nameOf(speed.factor()) +
                          ". Speeds: " + gameSpeed::ladderText() + " (speed <n>, or comma and period).");
        return;
    }
    const std::optional<double> value = gameSpeed::parse(*wanted);
    if (!value || !speed.set(*value)) {
        console.appendLog("Speed must be one of " + gameSpeed::ladderText() + ": try again.");
        return;
    }
    console.appendLog("Game speed: " + gameSpeed::nameOf(speed.factor()) + ".");
}

void give(const std::string& kind, consoleView& console, gameController* controller) {
    struct gear {
        const char* name;
        travelEquipment kind;
        const char* reply;
    };
    static const gear kinds[] = {{"raft", raft, "Gave units rafts."},
                                 {"mountainGear", mountainGear, "Gave units mountainGear."},
                                 {"horse", horse, "Gave units horses."}};
    placeableObject* selected = selectionToChange(console, controller);
    if (selected == nullptr) {
        return;
    }
    for (const gear& known : kinds) {
        if (kind == known.name) {
            selected->giveEquipment(known.kind, -1);
            console.appendLog(known.reply);
            return;
        }
    }
    console.appendLog("Invalid attribute: try again.");
}

void rename(const std::string& name, consoleView& console, gameController* controller) {
    placeableObject* selected = selectionToChange(console, controller);
    if (selected == nullptr) {
        return;
    }
    // Names follow the world names' rules: a panel or label has room for 100 bytes.
    if (isBlankWorldName(name)) {
        console.appendLog("A name cannot be empty or only blanks; " + selected->name + " keeps its name.");
        return;
    }
    if (name.size() > MAX_WORLD_NAME_BYTES) {
        console.appendLog("A name can be at most " + std::to_string(MAX_WORLD_NAME_BYTES) +
                          " bytes long (a letter outside plain ASCII takes 2 to 4); this one has " +
                          std::to_string(name.size()) + ", so " + selected->name + " keeps its name.");
        return;
    }
    selected->name = name;
    if (controller->view != nullptr && controller->view->commandPanel) {
        controller->view->commandPanel->update(selected);
    }
    console.appendLog("Assigned new name.");
}

void addComputerOpponent(consoleView& console, gameController* controller) {
    placeableObject* selected = selectionToChange(console, controller);
    if (selected == nullptr || !AIHandler) {
        return;
    }
    AIHandler->addFaction(selected->faction);
    console.appendLog("Added AI to " + selected->faction->name);
}

void addComputerOpponents(consoleView& console) {
    if (!AIHandler) {
        return;
    }
    for (const auto& faction : factions) {
        if (!humanPlayer || faction.get() != humanPlayer->faction) {
            AIHandler->addFaction(faction.get());
        }
    }
    console.appendLog("Added AI to all non-player factions");
}

/// One line per faction in play, in the game's order (yours first), and yours in any case, marked.
void listFactions(consoleView& console) {
    const Faction* human = humanPlayer ? humanPlayer->faction : nullptr;
    std::vector<std::size_t> listed;
    for (std::size_t k = 0; k < factions.size(); ++k) {
        if (factions[k].get() == human || !factions[k]->objects.empty()) {
            listed.push_back(k);
        }
    }
    console.appendLog("Factions in play: " + std::to_string(listed.size()) + " of " +
                      std::to_string(factions.size()));
    for (const std::size_t k : listed) {
        const Faction& faction = *factions[k];
        const factionTotals totals = totalsOf(faction);
        console.appendLog("#" + std::to_string(k + 1) + " " + faction.name +
                          (&faction == human ? " (you)" : "") + ": " +
                          countedText(totals[statistic::cities], "city", "cities") + ", " +
                          countedText(totals[statistic::units], "unit", "units") + ", " +
                          countedText(totals[statistic::people], "person", "people") + ", " +
                          std::to_string(totals[statistic::food]) + " food");
    }
}

void writeStatistics(consoleView& console, const gameController* controller) {
    if (controller == nullptr) {
        return;
    }
    const std::string path = worldPath(worldName) + "/stats.csv";
    try {
        const std::size_t rows = saveStatisticsCsv(path, controller->statistics, factions);
        console.appendLog("Statistics written: " + path + ", " + std::to_string(rows) + " rows" +
                          (rows == 0 ? " (no game day has ended yet)." : "."));
    } catch (const std::exception& error) {
        console.appendLog(std::string(error.what()) + ". The statistics were not written.");
    }
}

void takeMapPicture(consoleView& console, const gameController* controller) {
    if (controller == nullptr || controller->view == nullptr || !mapData || !northCap || !southCap) {
        console.appendLog("There is no world to take a picture of.");
        return;
    }
    const std::string path = worldPath(worldName) + "/map.png";
    try {
        const sf::Vector2u size = mapPictureSize(*mapData);
        const std::uintmax_t bytes = saveMapPicture(
            path, *mapData, *northCap, *southCap, pictureMarksOf(factions, controller->view->factionColour));
        console.appendLog("Map picture written: " + path + ", " + std::to_string(size.x) + " x " +
                          std::to_string(size.y) + " pixels, " + std::to_string((bytes + 1023) / 1024) +
                          " kB.");
    } catch (const std::exception& error) {
        console.appendLog(std::string(error.what()) + ". The map picture was not written.");
    }
}

} // namespace

void applyWindowScale(float value, consoleWindow& window) {
    scale = value;
    const sf::Vector2u size = windowSizeAt(value, width, height);
    window.setSize(size.x, size.y);
}

void followWindowResize(sf::Vector2u size, consoleLog& log, consoleWindow& window) {
    if (size == windowSizeAt(scale, width, height)) {
        return;
    }
    const sf::Vector2u screen = window.screenSize();
    const float inside = std::min(windowScaleInside(size.x, size.y, width, height),
                                  fittingWindowScale(MAX_WINDOW_SCALE, width, height, screen.x, screen.y));
    const bool changed = inside != scale;
    applyWindowScale(inside, window);
    if (changed) {
        const sf::Vector2u now = windowSizeAt(inside, width, height);
        log.appendLog("Window resized: scale " + floatToString(inside) + " (" + std::to_string(now.x) +
                      " x " + std::to_string(now.y) + ") keeps its proportions.");
    }
}

consoleWindow& currentGameWindow() {
    static appWindow window;
    return window;
}

void runConsoleCommand(const std::string& line, consoleView& console, gameController* controller,
                       consoleWindow& window, std::ostream& out) {
    std::string argument;
    if (line == "help") {
        console.appendHelp();
    } else if (line == "clear") {
        console.clearLog();
    } else if (line == "gen") {
        useSpecifiedSeed = false;
        closeForNewGame(window);
    } else if (argumentOf(line, "gen", argument)) {
        generate(argument, console, window, out);
    } else if (line == "save") {
        save(console, controller);
    } else if (line == "saves") {
        listSaves(console);
    } else if (argumentOf(line, "continue", argument)) {
        continueSave(argument, console, window);
    } else if (argumentOf(line, "load", argument)) {
        load(argument, console, window);
    } else if (line == "pause") {
        if (controller != nullptr) {
            controller->gameClock.pause();
        }
        console.appendLog("Game paused.");
    } else if (line == "resume") {
        if (controller != nullptr) {
            controller->gameClock.resume();
        }
        console.appendLog("Game resumed.");
    } else if (line == "speed" || argumentOf(line, "speed", argument)) {
        changeSpeed(line == "speed" ? std::nullopt : std::optional<std::string>(argument), console,
                    controller);
    } else if (argumentOf(line, "scale", argument)) {
        rescale(argument, console, window, out);
    } else if (argumentOf(line, "give", argument)) {
        give(argument, console, controller);
    } else if (argumentOf(line, "rename", argument)) {
        rename(argument, console, controller);
    } else if (line == "addAI") {
        addComputerOpponent(console, controller);
    } else if (line == "addAI all") {
        addComputerOpponents(console);
    } else if (line == "factions") {
        listFactions(console);
    } else if (line == "stats") {
        writeStatistics(console, controller);
    } else if (line == "mapshot") {
        takeMapPicture(console, controller);
    } else {
        console.appendLog("Invalid command, try 'help'");
    }
}
