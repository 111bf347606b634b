// The end of a tick: a famine's first day in one alert, the game's end in the console and on the panel.
#include "support/interfaceScope.hpp"
#include "support/quietOutput.hpp"

#include <gtest/gtest.h>

TEST(GameOver, AFamineIsOneAlertOnItsFirstDayTheEndIsFoundOnceAndItsPanelClosesAtAClick) {
    quietOutput quiet;
    interfaceScope game;
    Faction& mine = game.run.addFaction("Mine", "Me");
    Faction& theirs = game.run.addFaction("Theirs", "Them");
    city& far = game.run.addCity(theirs, 9, 5, "Far");
    game.run.addPeople(far, 2, Craftsman, false); // no food made, no births
    for (const auto& [name, food] : {std::pair{"Lorona", 0}, {"Kestel", 0}, {"Marn", 2}}) {
        city& town = game.run.addCity(mine, 1, 1, name);
        town.food = food; // Marn's lasts a day
        game.run.addPeople(town, 2, Craftsman, false);
    }
    const auto tickTo = [&](int tick) {
        std::tie(currentGameTick, gameTime) =
            std::make_tuple(tick - 1, std::int64_t{tick - 1} * SECONDS_PER_TICK);
        game.log();
        game.controller.lastTickTime = -100; // due at once
        EXPECT_TRUE(game.controller.processGameTick());
        const logTone last = game.console().toneOf(game.console().lineCount() - 1);
        return std::make_pair(last, game.log());
    };
    const std::string died =
        "A citizen in Lorona has died of starvation!\nA citizen in Kestel has died of starvation!\n";
    EXPECT_EQ(tickTo(120).second,
              died + "Your people are starving in Lorona and Kestel: one died in each today.\n")
        << "the enemy's hunger untold";
    EXPECT_EQ(
        tickTo(240).second,
        died +
            "A citizen in Marn has died of starvation!\nYour people are starving in Marn: one died today.\n")
        << "a famine is news on its first day";
    theirs.removeObject(&far);
    EXPECT_EQ(tickTo(241),
              std::make_pair(logTone::alert, std::string("You have won: no other faction has a city "
                                                         "or a unit left after 2 days.\n")));
    EXPECT_EQ(std::make_pair(game.controller.outcome.result, game.controller.outcome.endTick),
              std::make_pair(gameResult::victory, 241));
    game.view.gameOver.update(game.controller.outcome, factions, &mine);
    EXPECT_EQ(std::string(game.view.gameOver.text.getString())
                  .find("No other faction has a city or a unit left, "
                        "after 2 days.\nThe largest faction now: yours"),
              0u);
    game.run.addUnit(game.run.addFaction("Others", "O"), 7, 7, 5); // the most people, not the most objects
    gameOutcome lost;
    EXPECT_TRUE(lost.judge(factions, &theirs, 240));
    EXPECT_FALSE(lost.judge(factions, &theirs, 241)) << "it ends once";
    EXPECT_EQ(std::make_tuple(lost.result, endOfGameAlert(lost), gameOverText(lost, factions, &theirs)),
              std::make_tuple(
                  gameResult::defeat,
                  "You have lost: you have no city and no unit left after 2 days. The game goes on for "
                  "watching.",
                  "You have no city and no unit left, after 2 days.\nThe largest faction now: Others (0 "
                  "cities, 1 unit, 5 people).\nThe game goes on for watching: click this panel to "
                  "close it.\nTo start a new game, press Enter and type gen."));
    const sf::FloatRect panel = game.view.gameOver.area();
    std::tie(game.view.mouseX, game.view.mouseY) = std::make_pair(panel.left + 20, panel.top + 20);
    game.click(sf::Mouse::Right);
    EXPECT_EQ(std::make_tuple(game.view.gameOver.shown(), game.view.gameOver.area().width, game.log()),
              std::make_tuple(false, 0.0f, std::string()))
        << "a click on the panel closes it and orders nothing";
}
