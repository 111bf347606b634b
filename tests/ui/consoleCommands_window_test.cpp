// The console's commands in the built program's window, typed as a user types them, on a small world.
#include "support/screenText.hpp"
#include "support/smallWorldGame.hpp"

#include <gtest/gtest.h>

namespace {

/// The status line's two lines at the bar's left end.
sf::Image statusLine(const sf::Image& shot) {
    sf::Image part;
    part.create(400, 50);
    part.copy(shot, 0, 0, sf::IntRect(0, 1010, 400, 50));
    return part;
}

bool samePixels(const sf::Image& a, const sf::Image& b) {
    const std::size_t bytes = static_cast<std::size_t>(a.getSize().x) * a.getSize().y * 4;
    return a.getSize() == b.getSize() &&
           std::equal(a.getPixelsPtr(), a.getPixelsPtr() + bytes, b.getPixelsPtr());
}

} // namespace

TEST(ConsoleWindow, CommandsPauseHelpSaveScaleLoadAndGen) {
    const smallWorldWindow setup;
    ASSERT_TRUE(setup.display.open()) << NEEDS_DISPLAY;
    const temporaryDirectory& directory = setup.directory;
    windowSession game(directory, "--world w --seed 5", true);
    ASSERT_TRUE(game.waitForWindow()) << game.transcript();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    {
        SCOPED_TRACE("pause stops the tick counter of the status line");
        consoleCommand(game, "pause");
        const sf::Image first = game.screenshot("paused.png");
        EXPECT_TRUE(consoleShows(first, "Game paused."));
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
        EXPECT_TRUE(samePixels(statusLine(first), statusLine(game.screenshot("paused-later.png"))));
    }
    {
        SCOPED_TRACE("clear, then help: the help text under its echo");
        consoleCommand(game, "clear");
        consoleCommand(game, "help");
        const sf::Image shot = game.screenshot("help.png");
        const char* const lines[] = {"> help", "Available commands: help, clear, save, load <worldname>,",
                                     "gen, gen <seed>, pause, resume, scale <float>",
                                     "give <raft, horse, mountainGear>, rename <name>, addAI [all]"};
        for (int k = 0; k < 4; ++k) {
            EXPECT_GT(textShown(shot, lines[k], 5, 5 + 23 * k, sf::Color::Green), 0.97) << lines[k];
        }
    }
    {
        SCOPED_TRACE("resume starts the counter again");
        consoleCommand(game, "resume");
        const sf::Image first = game.screenshot("resumed.png");
        EXPECT_TRUE(consoleShows(first, "Game resumed."));
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
        EXPECT_FALSE(samePixels(statusLine(first), statusLine(game.screenshot("resumed-later.png"))));
    }
    {
        SCOPED_TRACE("save writes the seed into the world's folder and says where");
        consoleCommand(game, "save");
        EXPECT_TRUE(consoleShows(game.screenshot("saved.png"), "World saved to: worlds/w/gamedata.dat"));
        const std::string saved = readTextFile(directory.file("worlds/w/gamedata.dat"));
        ASSERT_GE(saved.size(), 4u);
        EXPECT_EQ(saved.substr(saved.size() - 4), std::string("\x05\0\0\0", 4));
    }
    {
        SCOPED_TRACE("scale 0.5 halves the window");
        consoleCommand(game, "scale 0.5");
        EXPECT_EQ(game.windowSize(), "960x540");
        game.screenshot("half.png");
    }
    {
        SCOPED_TRACE("load w: a new window on the saved seed, at the settings' scale");
        consoleCommand(game, "load w");
        ASSERT_TRUE(game.waitForOutput("Done loading pathing grid!", 2)) << game.transcript();
        ASSERT_TRUE(game.waitForWindow()) << game.transcript();
        const std::string out = game.output();
        EXPECT_NE(out.find("Loading world from: worlds/w\nUsing seed: 5\n"), std::string::npos) << out;
        EXPECT_EQ(countOf(out, "Generating world with seed: 5\n"), 2u);
        EXPECT_EQ(game.windowSize(), "1920x1080");
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        EXPECT_GT(textShown(game.screenshot("loaded.png"), "Generated world with seed: 5, worldName: w", 5, 5,
                            sf::Color::Green),
                  0.97);
    }
    {
        SCOPED_TRACE("gen 42: the world-name prompt, then a new world from seed 42");
        consoleCommand(game, "gen 42");
        ASSERT_TRUE(
            game.waitForOutput("Please enter the world name (leave blank for name based on seed): ", 2))
            << game.transcript();
        game.answer("");
        ASSERT_TRUE(game.waitForOutput("Done loading pathing grid!", 3)) << game.transcript();
        ASSERT_TRUE(game.waitForWindow()) << game.transcript();
        EXPECT_NE(game.output().find("Generating world with seed: 42\n"), std::string::npos);
        EXPECT_EQ(countOf(game.output(), "Enter the world seed"), 1u) << "no seed asked for";
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        EXPECT_GT(textShown(game.screenshot("gen42.png"), "Generated world with seed: 42, worldName: world42",
                            5, 5, sf::Color::Green),
                  0.97);
    }
    SCOPED_TRACE("Escape ends the program with exit code 0");
    ASSERT_NO_THROW(game.key("Escape")) << game.transcript();
    EXPECT_EQ(game.exitCode(), 0) << game.transcript();
}

TEST(ConsoleWindow, TenRelaunchesGiveTheirMemoryBack) {
    const smallWorldWindow setup;
    ASSERT_TRUE(setup.display.open()) << NEEDS_DISPLAY;
    windowSession game(setup.directory, "--world w --seed 5", true);
    // The grid view on row 0 loads the pictures of rows 0 to 3 of nine columns.
    constexpr std::size_t PICTURES = 36;
    long afterFirst = 0;
    long afterTenth = 0;
    for (std::size_t relaunch = 0; relaunch <= 10; ++relaunch) {
        SCOPED_TRACE("run " + std::to_string(relaunch));
        ASSERT_TRUE(game.waitForWindow()) << game.transcript();
        game.hold("equal");
        ASSERT_TRUE(game.waitForOutput("Loaded [", PICTURES * (relaunch + 1))) << game.transcript();
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        if (relaunch == 1) {
            afterFirst = game.residentKilobytes();
        }
        if (relaunch == 10) {
            afterTenth = game.residentKilobytes();
            break;
        }
        consoleCommand(game, "gen");
        ASSERT_TRUE(game.waitForOutput("Please enter the world name", relaunch + 2)) << game.transcript();
        game.answer("w");
        ASSERT_TRUE(game.waitForOutput("Done loading pathing grid!", relaunch + 2)) << game.transcript();
    }
    ASSERT_GT(afterFirst, 0);
    EXPECT_LT(afterTenth - afterFirst, 4096)
        << "resident kB after the first relaunch " << afterFirst << ", after the tenth " << afterTenth;
    ASSERT_NO_THROW(game.key("Escape")) << game.transcript();
    EXPECT_EQ(game.exitCode(), 0) << game.transcript();
}
