#include "app/autosaves.hpp"
#include "app/worldSelection.hpp"
#include "sim/AIController.hpp"
#include "support/interfaceScope.hpp"
#include "support/quietOutput.hpp"

#include <gtest/gtest.h>

namespace {
/// A console on a small world with the human's unit of 12 and a foreign city, the computer opponent, and a
/// folder holding worlds/w as the working directory. The world-selection globals are put back at scope end.
struct commandScope {
    commandScope()
        : human(game.run.addFaction("Mine", "Me")), foreign(game.run.addFaction("Theirs", "Them")),
          unit(game.run.addUnit(human, 2.0f, 3.0f, 12, "Scouts")),
          town(game.run.addCity(foreign, 5.0f, 3.0f, "Far")) {
        AIHandler = std::make_unique<AIController>();
        boost::filesystem::current_path(folder.path());
        boost::filesystem::create_directories("worlds/w");
        boost::filesystem::create_directories("worlds/odd/gamedata.dat");
        game.log();
    }
    ~commandScope() {
        boost::filesystem::current_path(home);
        std::tie(worldName, loadDirectory, relaunchWithNewSeed) = saved;
    }
    /// The console's reply to `line`, its echo left out.
    std::string reply(const std::string& line) {
        game.type(line);
        const std::string text = game.log(), echo = "> " + line + "\n";
        return text.rfind(echo, 0) == 0 ? text.substr(echo.size()) : "no echo: " + text;
    }
    interfaceScope game;
    Faction &human, &foreign;
    militaryUnit& unit;
    city& town;
    temporaryDirectory folder;
    boost::filesystem::path home = boost::filesystem::current_path();
    std::tuple<std::string, std::string, bool> saved{worldName, loadDirectory, relaunchWithNewSeed};
};
} // namespace

TEST(ConsoleCommands, EveryLineIsAnsweredAndOnlyWholeCommandsRunOnASelectionInPlay) {
    commandScope scope;
    quietOutput quiet;
    worldSeed = -1;
    autosaves saves("worlds/w", currentWorld(), 0, 0);
    scope.game.console().saves = &saves;
    writeTextFile("worlds/w/autosave-9.dat", "not a game");
    // The world's name | the line, or the object a click selects | the reply, its line breaks written as \n.
    for (const std::vector<std::string>& row : tableRows(R"(
            w    | factions       | Factions in play: 2 of 2\n#1 Mine (you): 0 cities, 1 unit, 12 people, 10000 food\n#2 Theirs: 1 city, 0 units, 0 people, 0 food\n
            w    | stats          | Statistics written: worlds/w/stats.csv, 0 rows (no game day has ended yet).\n
            w    | pause          | Game paused.\n
            w    | resume         | Game resumed.\n
            w    | speed 0.25     | Game speed: 1/4x.\n
            w    | speed 1/8      | Game speed: 1/8x.\n
            w    | speed 16x      | Game speed: 16x.\n
            w    | speed 3        | Speed must be one of 1/8, 1/4, 1/2, 1, 2, 4, 8 or 16: try again.\n
            w    | speed 1/0      | Speed must be one of 1/8, 1/4, 1/2, 1, 2, 4, 8 or 16: try again.\n
            w    | speed          | Game speed: 16x. Speeds: 1/8, 1/4, 1/2, 1, 2, 4, 8 or 16 (speed <n>, or comma and period).\n
            w    | gen 4x         | Seed must be an integer, try again.\n
            w    | load ..        | World name not valid, try again.\nA world name cannot be "." or "..".\n
            w    | load ../x      | World name not valid, try again.\nA world name cannot contain "/" or "\": it names one folder inside worlds.\n
            w    | scale 0        | Scale must be from 0.01 to 10: try again.\n
            w    | scale 10.5     | Scale must be from 0.01 to 10: try again.\n
            w    | give horse     | No object selected.\n
            w    | addAI all      | Added AI to all non-player factions\n
            w    | continue 2     | continue takes the number of a save that saves lists, from 1 to 1.\n
            w    | save           | World saved to: worlds/w/gamedata.dat\nGame saved: worlds/w/game.dat, tick 0, Thu Jan  1 00:00:00 1970\n
            w    | saves          | Saves of this world, newest first (continue <n> goes on from one):\n1. worlds/w/game.dat: tick 0, Thu Jan  1 00:00:00 1970\n2. worlds/w/autosave-9.dat: cannot be continued: it is not a saved game\n
            w    | continue 2     | worlds/w/autosave-9.dat cannot be continued: it is not a saved game.\n
            w    | continue 1     |
            gone | save           | Could not write worlds/gone/gamedata.dat: No such file or directory. The world was not saved.\n
            odd  | save           | Could not write worlds/odd/gamedata.dat: Is a directory. The world was not saved.\n
            w    | click Scouts   |
            w    | give horse     | Gave units horses.\n
            w    | give raft      | Gave units rafts.\n
            w    | give horses    | Invalid attribute: try again.\n
            w    | rename Night Watch | Assigned new name.\n
            w    | addAI          | Added AI to Mine\n
            w    | click Far      |
            w    | give horse     | Far is no longer in play.\n
            w    | rename Ruins   | Far is no longer in play.\n)")) {
        worldName = row[0];
        if (row[1].rfind("click ", 0) == 0) {
            placeableObject* const clicked =
                row[1] == "click Far" ? static_cast<placeableObject*>(&scope.town) : &scope.unit;
            scope.game.view.commandPanel->update(clicked);
            if (clicked == &scope.town) {
                scope.foreign.removeObject(clicked); // taken while selected
            }
            continue;
        }
        std::string expected = row[2];
        for (std::size_t at; (at = expected.find("\\n")) != std::string::npos;) {
            expected.replace(at, 2, "\n");
        }
        EXPECT_EQ(scope.reply(row[1]), expected) << row[1];
    }
    EXPECT_EQ(std::make_tuple(scope.unit.equipment, scope.town.equipment[horse], scope.town.name,
                              scope.game.view.commandPanel->panelText.getString().toAnsiString().substr(0, 4),
                              AIHandler->controlledFactions, saves.chosen,
                              scope.game.window.closes + scope.game.window.sizes.size()),
              std::make_tuple(std::map<travelEquipment, int>{{horse, 12}, {mountainGear, 0}, {raft, 12}}, 0,
                              std::string("Far"), std::string("Far\n"),
                              std::vector<Faction*>{&scope.foreign, &scope.human},
                              std::optional<std::string>("worlds/w/game.dat"), std::size_t{1}))
        << "one item per person; addAI all hands over every faction but the human's, addAI the selection's; "
           "continue 1 closes the window for the save chosen";
}

TEST(ConsoleCommands, TheCommandsActOnTheNextWorldTheWindowAndTheLog) {
    commandScope scope;
    useSpecifiedSeed = true;
    for (const auto& [line, seedAfter, fixed] : std::vector<std::tuple<std::string, int, bool>>{
             {"gen", 11899, false}, {"gen 42", 42, true}, {"load Old Kingdom", 42, true}}) {
        relaunchWithNewSeed = false;
        EXPECT_EQ(scope.reply(line), "");
        EXPECT_EQ(std::make_tuple(worldSeed, useSpecifiedSeed, relaunchWithNewSeed),
                  std::make_tuple(seedAfter, fixed, true))
            << line;
    }
    EXPECT_EQ(std::make_tuple(worldName, loadDirectory, scope.game.window.closes),
              std::make_tuple(std::string("Old Kingdom"), std::string("worlds/Old Kingdom"), 3));
    EXPECT_EQ(
        scope.reply("help"),
        "Available commands: help, clear, save, saves, continue <n>,\nload <worldname>, gen, gen <seed>, "
        "pause, resume, speed <n>,\nscale <float>, give <raft, horse, mountainGear>, rename <name>,\n"
        "addAI [all], factions, stats, mapshot");
    scope.game.console().scrollUp();
    scope.game.type("clear");
    EXPECT_EQ(std::make_pair(scope.game.console().text(), scope.game.console().logPosition()),
              std::make_pair(std::string(), 5.0f))
        << "clear empties the log, its own echo included, and puts it back at the top";
}

TEST(ConsoleCommands, NamesAndWindowSizesKeepTheirLimits) {
    commandScope scope;
    scope.game.view.commandPanel->update(&scope.unit);
    scope.game.window.screen = {1920, 1080}; // room for 1904 × 1000: 99 % across, 92 % down
    const std::string kept = "; héllo ☃ 漢字 ñ keeps its name.\n";
    const std::string tooLarge =
        " would not fit the screen (1920 x 1080): the largest scale that fits is 0.92.\n";
    const std::string tooLong =
        "A name can be at most 100 bytes long (a letter outside plain ASCII takes 2 to 4); this one has ";
    // The line, the reply: a name refused leaves the one before, which the next refusal names.
    const std::pair<std::string, std::string> cases[] = {
        {"rename " + repeated("a", 100), "Assigned new name.\n"},
        {"rename héllo ☃ 漢字 ñ", "Assigned new name.\n"},
        {"rename ", "A name cannot be empty or only blanks" + kept},
        {"rename    ", "A name cannot be empty or only blanks" + kept},
        {"rename " + repeated("a", 101), tooLong + "101, so" + kept.substr(1)},
        {"rename " + repeated("☃", 34), tooLong + "102, so" + kept.substr(1)},
        {"scale 10", "The window at scale 10" + tooLarge},
        {"scale 0.93", "The window at scale 0.93" + tooLarge},
        {"scale 0.92", ""},
    };
    for (const auto& [line, reply] : cases) {
        EXPECT_EQ(scope.reply(line), reply) << line;
    }
    // A resize from outside to 600 × 900, its own echo, one larger than the screen, one that keeps the scale.
    for (const sf::Vector2u size : {sf::Vector2u(600, 900), {595, 334}, {4000, 3000}, {1770, 1000}}) {
        followWindowResize(size, scope.game.console(), scope.game.window);
    }
    EXPECT_EQ(std::make_tuple(scope.game.window.sizes, scope.game.log(),
                              scope.game.view.commandPanel->panelText.getString().substring(0, 13)),
              std::make_tuple(std::vector<std::string>{"1766x993", "595x334", "1766x993", "1766x993"},
                              std::string("Window resized: scale 0.31 (595 x 334) keeps its proportions.\n"
                                          "Window resized: scale 0.92 (1766 x 993) keeps its proportions.\n"),
                              sf::String(L"héllo ☃ 漢字 ñ\n")))
        << "the name in UTF-8 in the details panel";
}
