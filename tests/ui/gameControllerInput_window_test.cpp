// A user's afternoon with the mouse, in the built program's window on a small world: select the city, open
// its details, choose two citizens, split them off, place the new unit and watch it walk there, then attack.
#include "app/utilities.hpp"
#include "support/screenText.hpp"
#include "support/smallWorldGame.hpp"
#include "world/terrainImage.hpp"

#include <gtest/gtest.h>
#include <optional>

namespace {

constexpr unsigned WORLD_SEED = 5;

/// Whether a pixel within `radius` of `point` shows exactly `colour`.
bool showsNear(const sf::Image& shot, sf::Vector2i point, sf::Color colour, int radius = 2) {
    for (int dx = -radius; dx <= radius; ++dx) {
        for (int dy = -radius; dy <= radius; ++dy) {
            const int x = point.x + dx;
            const int y = point.y + dy;
            if (x >= 0 && y >= 0 && x < static_cast<int>(shot.getSize().x) &&
                y < static_cast<int>(shot.getSize().y) &&
                shot.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)) == colour) {
                return true;
            }
        }
    }
    return false;
}

/// A point a quarter of a grid from (x, y) whose map cell has land at all four corners, away from the
/// panels in the grid view on (gridX, gridY).
std::optional<sf::Vector2f> landNear(const worldMap& map, float x, float y, int gridX, int gridY) {
    for (const auto& [dx, dy] : {std::pair{0.25f, 0.0f}, std::pair{0.0f, 0.25f}, std::pair{-0.25f, 0.0f},
                                 std::pair{0.0f, -0.25f}, std::pair{0.2f, 0.2f}, std::pair{-0.2f, 0.2f}}) {
        const sf::Vector2f point(x + dx, y + dy);
        const int cellX = static_cast<int>(point.x * 10);
        const int cellY = static_cast<int>(point.y * 10);
        bool land = true;
        for (const auto& [cx, cy] : {std::pair{cellX, cellY}, std::pair{cellX + 1, cellY},
                                     std::pair{cellX, cellY + 1}, std::pair{cellX + 1, cellY + 1}}) {
            land = land && aboveWaterAndBelowMountiantop(cx, cy, map.data);
        }
        const sf::Vector2i drawn = gridViewPoint(point.x, point.y, gridX, gridY).drawn;
        if (land && drawn.x > 720 && drawn.x < 1500 && drawn.y > 320 && drawn.y < 950) {
            return point;
        }
    }
    return std::nullopt;
}

int gridPicturesAround(int gridY) {
    return 9 * (std::min(6, gridY + 3) - std::max(0, gridY - 5) + 1);
}

} // namespace

TEST(InterfaceWindow, SelectSplitPlaceAndAttackWithTheMouse) {
    const smallWorldWindow setup;
    ASSERT_TRUE(setup.display.open()) << NEEDS_DISPLAY;
    const smallWorldGame world(WORLD_SEED);
    const placeableObject& home = world.humanCity();
    const placeableObject& enemy = world.nearestEnemy();
    ASSERT_EQ(home.name, "Tester's city");
    windowSession game(setup.directory, "--world w --seed 5");
    ASSERT_TRUE(game.waitForWindow()) << game.transcript();
    // The grid view with the city's grid in the middle.
    int gridX = static_cast<int>(home.x) + 1;
    int gridY = static_cast<int>(home.y);
    steerTo(game, gridX, gridY);
    game.hold("equal");
    ASSERT_TRUE(game.waitForOutput("Loaded [", gridPicturesAround(gridY))) << game.transcript();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    {
        SCOPED_TRACE("a left click on the city selects it: the panel describes it");
        const gridViewPoint city(home.x, home.y, gridX, gridY);
        game.click(city.mouse.x, city.mouse.y);
        game.moveMouse(1000, 800);
        const sf::Image shot = game.screenshot("selected.png");
        EXPECT_GT(textShown(shot, "Tester's city", 1520, 577), 0.97);
        EXPECT_GT(textShown(shot,
                            "coordinates: (" + floatToString(home.x + 1) + ", " + floatToString(home.y) + ")",
                            1520, 600),
                  0.97);
    }
    {
        SCOPED_TRACE("Detailed Stats opens the info box on the city");
        game.click(849, 1030);
        game.moveMouse(1000, 950);
        const sf::Image shot = game.screenshot("details.png");
        EXPECT_GT(textShown(shot, "Tester's city", 685, 130), 0.97);
        EXPECT_GT(textShown(shot, "Citizens:", 685, 130 + 12 * 23), 0.97);
        EXPECT_GT(textShown(shot, "1. PERSON_NAME", 685, 130 + 13 * 23), 0.97);
    }
    {
        SCOPED_TRACE("the X of two citizens: their rows turn yellow, the third stays as it was");
        const sf::Image before = game.screenshot("rows-before.png");
        game.click(670, 440);
        game.click(670, 509);
        game.moveMouse(1000, 950);
        const sf::Image after = game.screenshot("rows-chosen.png");
        for (const int rowTop : {430, 499}) {
            const sf::Color was = before.getPixel(1240, static_cast<unsigned>(rowTop + 10));
            const sf::Color now = after.getPixel(1240, static_cast<unsigned>(rowTop + 10));
            EXPECT_GT(now.r, was.r + 20) << rowTop;
            EXPECT_LT(now.b, was.b) << rowTop;
        }
        EXPECT_EQ(after.getPixel(1240, 578), before.getPixel(1240, 578)) << "third row";
    }
    // Where the new unit goes: a quarter of a grid from the city, on land all round.
    const std::optional<sf::Vector2f> destination = landNear(world.map, home.x, home.y, gridX, gridY);
    ASSERT_TRUE(destination) << "no land beside the city: choose another seed";
    const gridViewPoint target(destination->x, destination->y, gridX, gridY);
    {
        SCOPED_TRACE("Split: the box closes and the new unit is selected");
        game.click(1220, 110);
        game.moveMouse(1000, 950);
        const sf::Image shot = game.screenshot("split.png");
        EXPECT_GT(textShown(shot, "Tester's split Unit", 1520, 577), 0.97);
        EXPECT_LT(textShown(shot, "Tester's city", 685, 130), 0.5) << "the info box is closed";
    }
    {
        SCOPED_TRACE("a left click places it: its path ends where the click was, then it walks there");
        game.click(target.mouse.x, target.mouse.y);
        game.moveMouse(1000, 950);
        const sf::Image ordered = game.screenshot("placed.png");
        EXPECT_TRUE(showsNear(ordered, target.drawn + sf::Vector2i(2, 2), sf::Color::Magenta))
            << "last waypoint";
        EXPECT_FALSE(showsNear(ordered, target.drawn, LIGHT_GREEN, 1)) << "not there yet";
        bool arrived = false;
        for (int second = 0; second < 60 && !arrived; ++second) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            const sf::Image shot = game.screenshot("walking.png");
            arrived = showsNear(shot, target.drawn, LIGHT_GREEN, 1) &&
                      !showsNear(shot, target.drawn + sf::Vector2i(2, 2), sf::Color::Magenta);
        }
        EXPECT_TRUE(arrived) << "the unit stands on the clicked point and its path is used up";
    }
    {
        SCOPED_TRACE("a right click on the nearest enemy orders the attack");
        consoleCommand(game, "clear");
        gridX = static_cast<int>(enemy.x) + 1;
        const int fromY = gridY;
        gridY = static_cast<int>(enemy.y);
        steerTo(game, gridX, gridY, static_cast<int>(home.x) + 1, fromY);
        std::this_thread::sleep_for(std::chrono::seconds(1));
        const gridViewPoint foe(enemy.x, enemy.y, gridX, gridY);
        game.click(foe.mouse.x, foe.mouse.y, 3);
        game.moveMouse(1000, 950);
        const sf::Image shot = game.screenshot("attack.png");
        EXPECT_TRUE(consoleShows(shot, "Ordering attack on " + enemy.name + " (" +
                                           floatToString(enemy.x + 1) + ")(" + floatToString(enemy.y) + ")"));
    }
    SCOPED_TRACE("Escape ends the program with exit code 0");
    ASSERT_NO_THROW(game.key("Escape")) << game.transcript();
    EXPECT_EQ(game.exitCode(), 0) << game.transcript();
    const std::string out = game.output();
    EXPECT_EQ(out.substr(out.size() - 45), "Closing. Press any key to close this window.\n");
}
