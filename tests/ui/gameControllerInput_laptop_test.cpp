// A 1366 × 768 laptop: the window opens whole at scale 0.63, Home finds the city, the bar takes clicks.
#include "support/scaledText.hpp"
#include "support/smallWorldGame.hpp"

#include <SFML/Window/VideoMode.hpp>
#include <cstdlib>
#include <gtest/gtest.h>

TEST(LaptopWindow, OpensWholeHomeSelectsTheCityAndTheStatusLineTakesNoOrder) {
    const smallWorldWindow setup;
    const sf::VideoMode screen = setup.display.open() ? sf::VideoMode::getDesktopMode() : sf::VideoMode();
    if (screen.width != 1366 || screen.height != 768) {
        GTEST_SKIP() << "needs a 1366 x 768 screen: ./test.sh runs it under xvfb-run";
    }
    const smallWorldGame world(5);
    windowSession game(setup.directory, "--world w --seed 5");
    ASSERT_TRUE(game.waitForOutput("Done loading pathing grid!", 1, std::chrono::seconds(120)))
        << game.transcript();
    EXPECT_EQ(countOf(game.output(), "does not fit the screen (1366 x 768): using scale 0.63."), 1u);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const std::string geometry = setup.directory.file("geometry.txt");
    const std::string query =
        "xwininfo -id $(xdotool search --onlyvisible --name Kestrova | head -1) > " + geometry;
    ASSERT_EQ(std::system(query.c_str()), 0);
    const std::string seen = readTextFile(geometry);
    for (const char* expected : {"X:  78\n", "Y:  34\n", "Width: 1209\n", "Height: 680\n"}) {
        EXPECT_GE(countOf(seen, expected), 1u) << expected << " in " << seen;
    }
    ASSERT_TRUE(game.waitForWindow()) << game.transcript();
    const auto at = [](float units) { return static_cast<int>(std::lround(units * 0.63f)); };
    game.key("Home");
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // a frame to show it on a busy machine
    EXPECT_GT(scaledTextShown(game.screenshot("home.png"), "Tester's city", 1520, 577), 0.9)
        << "Home selects the city: the details panel names it";
    // Home selected the city, which refuses to move: the refusal shows that the click reached the map.
    const auto ordered = [&](const char* name) { // Console lines stand 23 units apart from (5, 5).
        const sf::Image shot = game.screenshot(name);
        bool shown = false;
        for (int k = 0; k < 11; ++k) {
            shown = shown ||
                    scaledTextShown(shot, "A city can not move: ", 5, 5 + 23 * k, sf::Color::Green) > 0.9;
        }
        return shown;
    };
    game.click(at(60), at(1050), 3);
    EXPECT_FALSE(ordered("status-line.png")) << "a right click on the status line gives no order";
    game.click(at(900), at(600), 3);
    EXPECT_TRUE(ordered("map.png")) << "one on the map does";
    game.hold("equal");
    const int gridY = static_cast<int>(world.humanCity().y); // rows gridY − 5 … gridY + 3 of the 7 load
    const auto pictures = static_cast<std::size_t>(9 * (std::min(6, gridY + 3) - std::max(0, gridY - 5) + 1));
    ASSERT_TRUE(game.waitForOutput("Loaded [", pictures)) << game.transcript();
    game.hold("c", 100);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const sf::Image chart = game.screenshot("chart.png");
    bool legend = false;
    for (int row = 0; row < 3; ++row) { // the human's faction in one of the three rows of the chart's legend
        legend = legend || scaledTextShown(chart, "Tester's Faction", 1310, 410 + 56 * row) > 0.9;
    }
    EXPECT_TRUE(legend) << "the chart readable at 0.63";
    game.hold("c", 100);
    game.click(at(849), at(1030), 1);
    EXPECT_GT(scaledTextShown(game.screenshot("details.png"), "Tester's city", 685, 130), 0.9)
        << "Detailed Stats, the bar's leftmost button, opens the info box";
    game.click(at(1467), at(1030), 1);
    EXPECT_TRUE(game.waitForOutput("Button clicked!", 2)) << "and Attack, its rightmost, takes the click";
}
