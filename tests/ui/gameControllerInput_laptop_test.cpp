// The game on a 1366 × 768 laptop screen, as a user meets it: the window opens whole at the largest scale
// that fits (0.63), Home finds the city, clicks on the bar act on the bar alone.
#include "support/scaledText.hpp"
#include "support/smallWorldGame.hpp"
#include "world/terrainImage.hpp"

#include <SFML/Window/VideoMode.hpp>
#include <gtest/gtest.h>

TEST(LaptopWindow, OpensWholeHomeSelectsTheCityAndTheStatusLineTakesNoOrder) {
    const smallWorldWindow setup;
    const sf::VideoMode screen = setup.display.open() ? sf::VideoMode::getDesktopMode() : sf::VideoMode();
    if (screen.width != 1366 || screen.height != 768) {
        GTEST_SKIP() << "needs a 1366 x 768 screen: ./test.sh runs it under xvfb-run";
    }
    const smallWorldGame world(5);
    windowSession game(setup.directory, "--world w --seed 5");
    ASSERT_TRUE(game.waitForOutput("Done loading pathing grid!", 1, std::chrono::seconds(120))) << game.transcript();
    EXPECT_EQ(countOf(game.output(), "does not fit the screen (1366 x 768): using scale 0.63."), 1u);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const std::string geometry = [] {
        std::string text(512, '\0');
        FILE* pipe = popen("xwininfo -id $(xdotool search --onlyvisible --name 'Kestrova Game' | head -n 1)", "r");
        text.resize(pipe != nullptr ? fread(text.data(), 1, text.size(), pipe) : 0);
        return pipe != nullptr && pclose(pipe) == 0 ? text : std::string();
    }();
    for (const char* expected : {"upper-left X:  78\n", "upper-left Y:  34\n", "Width: 1209\n", "Height: 680\n"}) {
        EXPECT_NE(geometry.find(expected), std::string::npos) << expected << " in " << geometry;
    }
    ASSERT_TRUE(game.waitForWindow()) << game.transcript();
    const auto click = [&](float x, float y, int button) {
        game.click(static_cast<int>(std::lround(x * 0.63f)), static_cast<int>(std::lround(y * 0.63f)), button);
    };
    game.key("Home");
    game.moveMouse(600, 400);
    EXPECT_GT(scaledTextShown(game.screenshot("home.png"), "Tester's city", 1520, 577), 0.9)
        << "Home selects the city: the details panel names it";
    // Console lines stand 23 units apart from (5, 5).
    const auto ordered = [&](const char* name) {
        const sf::Image shot = game.screenshot(name);
        for (int k = 0; k < 11; ++k) {
            if (scaledTextShown(shot, "Ordering move to: (", 5, 5 + 23 * k, sf::Color::Green) > 0.9) {
                return true;
            }
        }
        return false;
    };
    click(60, 1050, 3);
    EXPECT_FALSE(ordered("status-line.png")) << "a right click on the status line gives no order";
    click(900, 600, 3);
    EXPECT_TRUE(ordered("map.png")) << "one on the map does";
    game.hold("equal");
    // The grid pictures of rows gridY − 5 … gridY + 3 inside the world's 7 rows.
    const int gridY = static_cast<int>(world.humanCity().y);
    const auto pictures = static_cast<std::size_t>(9 * (std::min(6, gridY + 3) - std::max(0, gridY - 5) + 1));
    ASSERT_TRUE(game.waitForOutput("Loaded [", pictures)) << game.transcript();
    click(849, 1030, 1);
    game.moveMouse(600, 400);
    EXPECT_GT(scaledTextShown(game.screenshot("details.png"), "Tester's city", 685, 130), 0.9)
        << "Detailed Stats, the bar's leftmost button, opens the info box";
    click(1467, 1030, 1);
    EXPECT_TRUE(game.waitForOutput("Button clicked!", 2)) << "and Attack, its rightmost, takes the click";
    game.key("Escape");
    EXPECT_EQ(game.exitCode(), 0) << game.transcript();
}
