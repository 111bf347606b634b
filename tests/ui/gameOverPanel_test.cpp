// The end of a tick: the day's hunger in one alert, then the game's end, told in the console and on the
// panel.
#include "support/interfaceScope.hpp"
#include "support/quietOutput.hpp"

#include <gtest/gtest.h>

TEST(GameOver, TheDaysHungerIsOneAlertAndDefeatAndVictoryAreFoundAndShownUntilThePanelIsClicked) {
    quietOutput quiet;
    interfaceScope game;
    simulationScope& run = game.run;
    Faction& mine = run.addFaction("Mine", "Me");
    Faction& theirs = run.addFaction("Theirs", "Them");
    city& lorona = run.addCity(mine, 1, 1, "Lorona");
    city& kestel = run.addCity(mine, 3, 1, "Kestel");
    militaryUnit& guard = run.addUnit(mine, 5, 1, 1, "Guard");
    guard.food = 10;
    city& far = run.addCity(theirs, 9, 5, "Far");
    city& marn = run.addCity(mine, 5, 3, "Marn");
    marn.food = 2; // enough for one day
    for (city* hungry : {&lorona, &kestel, &far, &marn}) {
        run.addPeople(*hungry, 2, Craftsman, false); // no food made, no births
    }
    const auto tick = [&] {
        game.controller.lastTickTime = -100; // due at once
        ASSERT_TRUE(game.controller.processGameTick());
    };
    std::tie(currentGameTick, gameTime) = std::make_tuple(119, SECONDS_PER_DAY - SECONDS_PER_TICK);
    game.log();
    tick(); // tick 120 ends the first day
    EXPECT_EQ(std::make_tuple(game.log(), game.controller.outcome.ended()),
              std::make_tuple(std::string("A citizen in Lorona has died of starvation!\n"
                                          "A citizen in Kestel has died of starvation!\n"
                                          "Your people are starving in Lorona and Kestel: one died in each "
                                          "today.\n"),
                              false))
        << "one alert for the day, the enemy's hunger untold";
    std::tie(currentGameTick, gameTime) = std::make_tuple(239, 2 * SECONDS_PER_DAY - SECONDS_PER_TICK);
    tick();
    EXPECT_EQ(game.log(),
              "A citizen in Lorona has died of starvation!\nA citizen in Kestel has died of starvation!\n"
              "A citizen in Marn has died of starvation!\nYour people are starving in Marn: one died "
              "today.\n")
        << "a famine is news on its first day";
    theirs.removeObject(&far);
    tick();
    const logTone tone = game.console().toneOf(0);
    EXPECT_EQ(
        std::make_tuple(game.controller.outcome.result, game.controller.outcome.endTick, tone, game.log()),
        std::make_tuple(
            gameResult::victory, 241, logTone::alert,
            std::string("You have won: no other faction has a city or a unit left after 2 days.\n")));
    game.view.gameOver.update(game.controller.outcome, factions, &mine);
    EXPECT_EQ(game.view.gameOver.text.getString(),
              "No other faction has a city or a unit left, after 2 days.\nThe largest faction now: yours (3 "
              "cities, 1 unit, 2 people).\nThe game goes on for watching: click this panel to close it.\nTo "
              "start a new game, press Enter and type gen.");
    mine.removeObject(&guard);
    mine.removeObject(&kestel);
    tick();
    EXPECT_EQ(game.controller.outcome.result, gameResult::victory) << "a victory stays one";
    gameOutcome lost;
    EXPECT_TRUE(lost.judge(factions, &theirs, 240));
    EXPECT_FALSE(lost.judge(factions, &theirs, 241));
    EXPECT_EQ(
        std::make_tuple(lost.result, endOfGameAlert(lost), gameOverText(lost, factions, &theirs)),
        std::make_tuple(gameResult::defeat,
                        "You have lost: you have no city and no unit left after 2 days. The game goes "
                        "on for watching.",
                        "You have no city and no unit left, after 2 days.\nThe largest faction now: Mine "
                        "(2 cities, 0 units, 1 person).\nThe game goes on for watching: click this panel "
                        "to close it.\nTo start a new game, press Enter and type gen."));
    const sf::FloatRect panel = game.view.gameOver.area();
    game.view.mouseX = static_cast<int>(panel.left + panel.width / 2);
    game.view.mouseY = static_cast<int>(panel.top + panel.height / 2);
    game.click(sf::Mouse::Right);
    EXPECT_EQ(std::make_tuple(game.view.gameOver.shown(), game.view.gameOver.area().width, game.log()),
              std::make_tuple(false, 0.0f, std::string()))
        << "a click on the panel closes it and orders nothing";
}
