// The whole game saved in the built program's window, and the same world started again where it was saved.
#include "support/screenText.hpp"
#include "support/smallWorldGame.hpp"

#include <gtest/gtest.h>

TEST(GameSaveWindow, TheSameWorldStartedAgainGoesOnWhereItWasSaved) {
    const smallWorldWindow setup;
    ASSERT_TRUE(setup.display.open()) << NEEDS_DISPLAY;
    sf::Image saved;
    {
        windowSession game(setup.directory, "--world w --seed 5");
        ASSERT_TRUE(game.waitForWindow()) << game.transcript();
        consoleCommand(game, "addAI all");
        std::this_thread::sleep_for(std::chrono::seconds(3));
        consoleCommand(game, "pause"); // so that the status line keeps the tick of the save
        consoleCommand(game, "clear");
        consoleCommand(game, "save");
        saved = game.screenshot("saved.png");
        game.key("Escape");
        ASSERT_EQ(game.exitCode(), 0) << game.transcript();
    }
    windowSession again(setup.directory, "--world w");
    ASSERT_TRUE(again.waitForWindow()) << again.transcript();
    const std::string out = again.output();
    const std::string said = "Continuing the game saved in worlds/w/game.dat at tick ";
    const std::size_t at = out.find(said);
    ASSERT_NE(at, std::string::npos) << again.transcript();
    const std::string tick = std::to_string(std::stoi(out.substr(at + said.size())));
    EXPECT_TRUE(consoleShows(saved, "Game saved: worlds/w/game.dat, tick " + tick + ","));
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const sf::Image continued = again.screenshot("continued.png");
    EXPECT_GT(textShown(continued, "Game tick: " + tick, 0, 1010), 0.97) << "the tick of the save";
    EXPECT_TRUE(consoleShows(continued, said + tick + "."));

    // Without another addAI the computer's units go on: on their way they ask for paths again and again.
    consoleCommand(again, "resume");
    const std::size_t paths = countOf(again.output(), "Pather returned 0");
    std::this_thread::sleep_for(std::chrono::seconds(3));
    EXPECT_GT(countOf(again.output(), "Pather returned 0"), paths + 10) << again.transcript();
    again.key("Escape");
    EXPECT_EQ(again.exitCode(), 0) << again.transcript();
}
