#include "app/worldSelection.hpp"
#include "sim/AIController.hpp"
#include "support/interfaceScope.hpp"
#include "support/quietOutput.hpp"
#include "support/testFiles.hpp"
#include "ui/consoleCommands.hpp"

#include <boost/filesystem.hpp>
#include <gtest/gtest.h>

namespace {

/// Runs the test's part in `directory` as the working directory, then goes back.
class workingDirectory {
  public:
    explicit workingDirectory(const temporaryDirectory& directory) : home(boost::filesystem::current_path()) {
        boost::filesystem::current_path(directory.path());
    }
    ~workingDirectory() { boost::filesystem::current_path(home); }
    workingDirectory(const workingDirectory&) = delete;
    workingDirectory& operator=(const workingDirectory&) = delete;

  private:
    boost::filesystem::path home;
};

/// The world-selection globals a command may change, put back at scope end.
class selectionGuard {
  public:
    ~selectionGuard() {
        worldName = name;
        loadDirectory = directory;
        relaunchWithNewSeed = false;
    }
    std::string name = worldName;
    std::string directory = loadDirectory;
};

/// A console on a small world with the human's unit of 12 and a foreign city, and the computer opponent.
struct commandScope {
    commandScope()
        : human(game.run.addFaction("Mine", "Me")), foreign(game.run.addFaction("Theirs", "Them")),
          unit(game.run.addUnit(human, 2.0f, 3.0f, 12, "Scouts")),
          town(game.run.addCity(foreign, 5.0f, 3.0f, "Far Town")) {
        AIHandler = std::make_unique<AIController>();
    }

    /// The console's reply to `line`, the echo included, from an empty log.
    std::string reply(const std::string& line) {
        game.console().clearLog();
        game.type(line);
        return game.console().text();
    }

    interfaceScope game;
    selectionGuard selection;
    Faction& human;
    Faction& foreign;
    militaryUnit& unit;
    city& town;
};

const char* const BAD_NUMBER =
    "Error: bad lexical cast: source type value could not be interpreted as target\n";

} // namespace

TEST(ConsoleCommands, HelpClearAndTheGameClock) {
    commandScope scope;
    consoleView& console = scope.game.console();
    {
        SCOPED_TRACE("help then pause: the echo continues the help text's last line");
        EXPECT_EQ(scope.reply("help"), "> help\n" + std::string(CONSOLE_HELP));
        EXPECT_EQ(std::string(CONSOLE_HELP).size(), 163u);
        scope.game.type("pause");
        EXPECT_EQ(console.text(), "> help\n" + std::string(CONSOLE_HELP) + "> pause\nGame paused.\n");
        EXPECT_TRUE(scope.game.controller.gameClock.isPaused());
    }
    {
        SCOPED_TRACE("pausing twice changes nothing; resume runs the clock on");
        EXPECT_EQ(scope.reply("pause"), "> pause\nGame paused.\n");
        EXPECT_TRUE(scope.game.controller.gameClock.isPaused());
        EXPECT_EQ(scope.reply("resume"), "> resume\nGame resumed.\n");
        EXPECT_TRUE(scope.game.controller.gameClock.isRunning());
    }
    {
        SCOPED_TRACE("clear empties the log, its own echo included, and puts it back at the top");
        console.scrollUp();
        scope.game.type("clear");
        EXPECT_EQ(console.text(), "");
        EXPECT_EQ(console.logPosition(), 5.0f);
    }
    {
        SCOPED_TRACE("commands are case-sensitive whole words; anything else is answered");
        for (const char* line : {"Help", "helps", "load", "addAI al", "save now"}) {
            EXPECT_EQ(scope.reply(line), "> " + std::string(line) + "\nInvalid command, try 'help'\n")
                << line;
        }
        EXPECT_EQ(scope.game.window.closes, 0);
    }
}

TEST(ConsoleCommands, GenAndLoadCloseTheWindowForTheNextWorld) {
    commandScope scope;
    recordingWindow& window = scope.game.window;
    quietOutput quiet;
    {
        SCOPED_TRACE("gen: a new world whose seed is asked for");
        useSpecifiedSeed = true;
        scope.game.type("gen");
        EXPECT_FALSE(useSpecifiedSeed);
        EXPECT_TRUE(relaunchWithNewSeed);
        EXPECT_EQ(window.closes, 1);
        EXPECT_EQ(scope.game.console().text().substr(scope.game.console().text().size() - 6), "> gen\n");
    }
    relaunchWithNewSeed = false;
    {
        SCOPED_TRACE("gen with a seed, a negative one too");
        for (const auto& [line, seed] :
             {std::pair{"gen 42", 42}, std::pair{"gen -7", -7}, std::pair{"gen +9", 9}}) {
            scope.reply(line);
            EXPECT_EQ(worldSeed, seed) << line;
            EXPECT_TRUE(useSpecifiedSeed) << line;
            EXPECT_TRUE(relaunchWithNewSeed) << line;
            relaunchWithNewSeed = false;
        }
        EXPECT_EQ(window.closes, 4);
    }
    {
        SCOPED_TRACE("seeds that are not 32-bit integers are refused and change nothing");
        useSpecifiedSeed = false;
        for (const char* line : {"gen 4x", "gen ", "gen 2147483648", "gen  5", "gen 1.5"}) {
            EXPECT_EQ(scope.reply(line),
                      "> " + std::string(line) + "\nSeed must be an integer, try again.\n");
        }
        EXPECT_EQ(worldSeed, 9);
        EXPECT_FALSE(useSpecifiedSeed);
        EXPECT_FALSE(relaunchWithNewSeed);
        EXPECT_EQ(window.closes, 4);
    }
    {
        SCOPED_TRACE("load: the next run loads the world of that name");
        scope.reply("load Old Kingdom");
        EXPECT_EQ(worldName, "Old Kingdom");
        EXPECT_EQ(loadDirectory, "worlds/Old Kingdom");
        EXPECT_TRUE(relaunchWithNewSeed);
        EXPECT_EQ(window.closes, 5);
    }
    relaunchWithNewSeed = false;
    loadDirectory.clear();
    {
        SCOPED_TRACE("load refuses names that are not one plain folder name, and says why");
        EXPECT_EQ(scope.reply("load "), "> load \nWorld name not valid, try again.\n");
        EXPECT_EQ(scope.reply("load    "), "> load    \nWorld name not valid, try again.\n");
        EXPECT_EQ(
            scope.reply("load ../x"),
            "> load ../x\nWorld name not valid, try again.\nA world name cannot contain \"/\" or \"\\\": it "
            "names one folder inside worlds.\n");
        EXPECT_EQ(scope.reply("load .."),
                  "> load ..\nWorld name not valid, try again.\nA world name cannot be "
                  "\".\" or \"..\".\n");
        EXPECT_EQ(worldName, "Old Kingdom");
        EXPECT_EQ(loadDirectory, "");
        EXPECT_FALSE(relaunchWithNewSeed);
        EXPECT_EQ(window.closes, 5);
    }
    const std::string out = quiet.take();
    EXPECT_EQ(countOf(out, BAD_NUMBER), 5u) << out;
}

TEST(ConsoleCommands, SaveWritesTheSeedOrSaysWhyNot) {
    commandScope scope;
    temporaryDirectory folder;
    const workingDirectory inFolder(folder);
    boost::filesystem::create_directories("worlds/w");
    worldName = "w";
    worldSeed = -1;
    {
        SCOPED_TRACE("saved: the seed is the file's last four bytes");
        EXPECT_EQ(scope.reply("save"), "> save\nWorld saved to: worlds/w/gamedata.dat\nGame saved: "
                                       "worlds/w/game.dat, tick 0, Thu Jan  1 00:00:00 1970\n");
        const std::string bytes = readTextFile("worlds/w/gamedata.dat");
        ASSERT_GE(bytes.size(), 4u);
        EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string(4, '\xff'));
    }
    {
        SCOPED_TRACE("the world's folder has gone: the path and the reason");
        worldName = "gone";
        EXPECT_EQ(scope.reply("save"), "> save\nCould not write worlds/gone/gamedata.dat: No such file or "
                                       "directory. The world was not saved.\n");
        EXPECT_FALSE(boost::filesystem::exists("worlds/gone"));
    }
    {
        SCOPED_TRACE("a folder stands where the file goes: it stays, and no temporary file is left");
        boost::filesystem::create_directories("worlds/odd/gamedata.dat");
        worldName = "odd";
        EXPECT_EQ(scope.reply("save"), "> save\nCould not write worlds/odd/gamedata.dat: Is a directory. The "
                                       "world was not saved.\n");
        EXPECT_TRUE(boost::filesystem::is_directory("worlds/odd/gamedata.dat"));
        EXPECT_EQ(std::distance(boost::filesystem::directory_iterator("worlds/odd"),
                                boost::filesystem::directory_iterator()),
                  1);
    }
}

TEST(ConsoleCommands, ScaleResizesTheWindowWithinItsRange) {
    commandScope scope;
    recordingWindow& window = scope.game.window;
    quietOutput quiet;
    {
        SCOPED_TRACE("1.5 on 1920 × 1080");
        EXPECT_EQ(scope.reply("scale 1.5"), "> scale 1.5\n");
        EXPECT_EQ(scale, 1.5f);
        EXPECT_EQ(window.sizes, std::vector<std::string>{"2880x1620"});
        scope.reply("scale 0.5");
        EXPECT_EQ(window.sizes.back(), "960x540");
    }
    EXPECT_EQ(scope.reply("scale big"), "> scale big\nScale must be a float: try again.\n") << "not a number";
    {
        SCOPED_TRACE("zero, negative, not finite or too large: refused, the window keeps its size");
        for (const char* line :
             {"scale 0", "scale -1", "scale inf", "scale nan", "scale 10.5", "scale 0.001"}) {
            EXPECT_EQ(scope.reply(line),
                      "> " + std::string(line) + "\nScale must be from 0.01 to 10: try again.\n");
        }
        EXPECT_EQ(scale, 0.5f);
        EXPECT_EQ(window.sizes.size(), 2u);
    }
    const std::string out = quiet.take();
    EXPECT_EQ(out, BAD_NUMBER);
}

TEST(ConsoleCommands, GiveRenameAndAddAIActOnTheSelection) {
    commandScope scope;
    gameController& controller = scope.game.controller;
    {
        SCOPED_TRACE("nothing selected: said so, nothing changes");
        for (const char* line : {"give horse", "rename Bob", "addAI"}) {
            EXPECT_EQ(scope.reply(line), "> " + std::string(line) + "\nNo object selected.\n");
        }
        EXPECT_TRUE(AIHandler->controlledFactions.empty());
    }
    scope.game.view.commandPanel->update(&scope.unit);
    {
        SCOPED_TRACE("give: one item per person");
        EXPECT_EQ(scope.reply("give horse"), "> give horse\nGave units horses.\n");
        EXPECT_EQ(scope.reply("give raft"), "> give raft\nGave units rafts.\n");
        EXPECT_EQ(scope.reply("give mountainGear"), "> give mountainGear\nGave units mountainGear.\n");
        EXPECT_EQ(scope.reply("give horses"), "> give horses\nInvalid attribute: try again.\n");
        EXPECT_EQ(scope.unit.equipment,
                  (std::map<travelEquipment, int>{{horse, 12}, {mountainGear, 12}, {raft, 12}}));
    }
    {
        SCOPED_TRACE("rename: the panel follows at once; an empty name is a name");
        EXPECT_EQ(scope.reply("rename Night Watch"), "> rename Night Watch\nAssigned new name.\n");
        EXPECT_EQ(scope.unit.name, "Night Watch");
        EXPECT_EQ(scope.game.view.commandPanel->panelText.getString().toAnsiString().substr(0, 12),
                  "Night Watch\n");
        scope.reply("rename ");
        EXPECT_EQ(scope.unit.name, "");
    }
    {
        SCOPED_TRACE("addAI hands over the selection's faction, even the human's");
        EXPECT_EQ(scope.reply("addAI"), "> addAI\nAdded AI to Mine\n");
        controller.selectedObject = &scope.town;
        scope.reply("addAI");
        EXPECT_EQ(AIHandler->controlledFactions, (std::vector<Faction*>{&scope.human, &scope.foreign}));
    }
    {
        SCOPED_TRACE("addAI all: every faction but the human's");
        Faction& third = scope.game.run.addFaction("Third", "Thea");
        AIHandler->controlledFactions.clear();
        EXPECT_EQ(scope.reply("addAI all"), "> addAI all\nAdded AI to all non-player factions\n");
        EXPECT_EQ(AIHandler->controlledFactions, (std::vector<Faction*>{&scope.foreign, &third}));
    }
    {
        SCOPED_TRACE("a selection that has left play is refused");
        scope.foreign.removeObject(&scope.town);
        AIHandler->controlledFactions.clear();
        for (const char* line : {"give horse", "rename Ruins", "addAI"}) {
            EXPECT_EQ(scope.reply(line), "> " + std::string(line) + "\nFar Town is no longer in play.\n");
        }
        EXPECT_EQ(scope.town.name, "Far Town");
        EXPECT_EQ(scope.town.equipment[horse], 0);
        EXPECT_TRUE(AIHandler->controlledFactions.empty());
    }
}
