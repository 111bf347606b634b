// Drives the built program in a real window on a small world, as a user would, and checks what it shows.
#include "support/smallWorldGame.hpp"
#include "world/terrainImage.hpp"

#include <boost/filesystem.hpp>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>

namespace {

// The world of these tests: 190 × 70 cells, seed 5, in the default 1920 × 1080 window.
constexpr unsigned WORLD_SEED = 5;
constexpr float WINDOW_PER_MAP_PIXEL = 1920.0f / 950.0f;

bool insidePanels(float x, float y) {
    const bool console = x < 710 && y < 310;
    const bool coordinates = x > 1700 && y < 140;
    const bool commandPanel = x > 1510 && y > 570;
    const bool commandBar = y > 970;
    return console || coordinates || commandPanel || commandBar;
}

/// Compares the map cells seen through a camera centred on (centreX, 175) map pixels, drawn at `pixelScale`
/// window pixels per map pixel with its centre at window point (windowX, windowY). Only cells whose
/// neighbours share their colour are compared, so that rounding at cell borders cannot matter.
/// Returns the number of cells compared; records a failure for each mismatch.
int expectMapCells(const sf::Image& shot, const worldMap& map, float centreX, float pixelScale, float windowX,
                   float windowY, const sf::FloatRect& area) {
    int compared = 0;
    for (int x = 1; x < 189; x += 3) {
        for (int y = 1; y < 69; y += 3) {
            const sf::Color colour = terrainColour(map.data(x, y));
            bool flat = true;
            for (int dx = -1; dx <= 1; ++dx) {
                for (int dy = -1; dy <= 1; ++dy) {
                    flat = flat && terrainColour(map.data(x + dx, y + dy)) == colour;
                }
            }
            float mapX = 5.0f * x + 2.5f;
            if (mapX < centreX - 475) {
                mapX += 950;
            }
            const float wx = windowX + (mapX - centreX) * pixelScale;
            const float wy = windowY + (5.0f * y + 2.5f - 175) * pixelScale;
            if (!flat || !area.contains(wx, wy) || insidePanels(wx, wy)) {
                continue;
            }
            ++compared;
            const sf::Color seen = shot.getPixel(static_cast<unsigned>(wx), static_cast<unsigned>(wy));
            EXPECT_EQ(seen, colour) << "map cell (" << x << ", " << y << ") at window (" << wx << ", " << wy
                                    << ")";
        }
    }
    return compared;
}

int expectWorldMap(const sf::Image& shot, const worldMap& map, float centreX) {
    return expectMapCells(shot, map, centreX, WINDOW_PER_MAP_PIXEL, 960, 540,
                          sf::FloatRect(0, 0, 1920, 1080));
}

bool near(const sf::Color& a, const sf::Color& b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

/// Share of sample points of the screen square at (left, top), 213 pixels wide, that show `picture` (600 ×
/// 600, drawn into the square): a point counts when the picture has a close colour within one pixel.
/// The program and this test decode the JPEG files with different decoders, hence the tolerance.
double squareShows(const sf::Image& shot, int left, int top, const std::string& picturePath,
                   int sampledHeight = 150) {
    sf::Image picture;
    if (!picture.loadFromFile(picturePath)) {
        ADD_FAILURE() << "cannot read " << picturePath;
        return 0;
    }
    const float scale = 213.0f / 600.0f;
    int matching = 0;
    int points = 0;
    // Points clear of the centre mark's outline and its label.
    for (int sx = 18; sx < 200; sx += 30) {
        for (int sy = 16; sy < sampledHeight; sy += 30) {
            ++points;
            const sf::Color seen =
                shot.getPixel(static_cast<unsigned>(left + sx), static_cast<unsigned>(top + sy));
            const int u = static_cast<int>((static_cast<float>(sx) + 0.5f) / scale);
            const int v = static_cast<int>((static_cast<float>(sy) + 0.5f) / scale);
            bool found = false;
            for (int du = -1; du <= 1 && !found; ++du) {
                for (int dv = -1; dv <= 1 && !found; ++dv) {
                    found = near(
                        seen, picture.getPixel(static_cast<unsigned>(u + du), static_cast<unsigned>(v + dv)),
                        16);
                }
            }
            matching += found ? 1 : 0;
        }
    }
    return static_cast<double>(matching) / points;
}

std::map<std::string, std::time_t> writeTimes(const std::string& directory) {
    std::map<std::string, std::time_t> times;
    for (const auto& entry : boost::filesystem::directory_iterator(directory)) {
        times[entry.path().filename().string()] = boost::filesystem::last_write_time(entry.path());
    }
    return times;
}

// Screen squares of the grid view (213 pixels): column i starts at 213 i; the centre row at 419.
constexpr int CENTRE_ROW_TOP = 5 * 213 - 540 - 106;

} // namespace

TEST(GameWindow, ExploresTheWorldWithTheKeysAndQuitsWithEscape) {
    const smallWorldWindow setup;
    ASSERT_TRUE(setup.display.open()) << NEEDS_DISPLAY;
    const temporaryDirectory& directory = setup.directory;
    const smallWorldGame world(WORLD_SEED);
    const worldMap& map = world.map;
    const std::string images = directory.file("worlds/w/images");

    windowSession game(directory, "--world w --seed 5");
    ASSERT_TRUE(game.waitForWindow()) << game.transcript();
    std::this_thread::sleep_for(std::chrono::seconds(1));
    {
        SCOPED_TRACE("world map: terrain colours and the red locator");
        const sf::Image shot = game.screenshot("map.png");
        // The locator starts over column 18 at window x 1800 and the map scrolls two grids under it.
        EXPECT_GT(expectWorldMap(shot, map, 575), 100);
        EXPECT_EQ(shot.getPixel(1595, 230), sf::Color::Red);
        EXPECT_EQ(shot.getPixel(1620, 183), sf::Color::Red);
    }
    {
        SCOPED_TRACE("arrows: three rows down, two columns right across the seam; the map scrolls along");
        for (int i = 0; i < 3; ++i) {
            game.step("Down");
        }
        game.step("Right");
        game.step("Right");
        const sf::Image shot = game.screenshot("map-panned.png");
        EXPECT_GT(expectWorldMap(shot, map, 675), 100);
        EXPECT_EQ(shot.getPixel(1595, 530), sf::Color::Red);
        EXPECT_NE(shot.getPixel(1595, 230), sf::Color::Red);
    }
    {
        SCOPED_TRACE("Equal: grid view on grid (0, 3), grid 18 to its left, the overview map top right");
        game.hold("equal");
        // The block spans rows 0 to 6 of the world: 63 grid pictures.
        ASSERT_TRUE(game.waitForOutput("Loaded [", 63)) << game.transcript();
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        const sf::Image shot = game.screenshot("grid.png");
        EXPECT_GE(squareShows(shot, 4 * 213, CENTRE_ROW_TOP, images + "/0_3.jpg"), 0.9);
        EXPECT_GE(squareShows(shot, 3 * 213, CENTRE_ROW_TOP, images + "/18_3.jpg"), 0.9);
        EXPECT_GE(squareShows(shot, 5 * 213, CENTRE_ROW_TOP, images + "/1_3.jpg"), 0.9);
        EXPECT_LT(squareShows(shot, 4 * 213, CENTRE_ROW_TOP, images + "/5_5.jpg"), 0.9) << "a different grid";
        EXPECT_GT(
            expectMapCells(shot, map, 675, 480.0f / 950.0f, 1680, 113.4f, sf::FloatRect(1440, 0, 480, 248)),
            10);
        EXPECT_EQ(shot.getPixel(856, 500), sf::Color::Red) << "centre mark";
    }
    {
        SCOPED_TRACE("Equal again: the cell view writes the grid's 100 cell pictures and shows them");
        game.hold("equal");
        ASSERT_TRUE(game.waitForOutput("Image load time:")) << game.transcript();
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        EXPECT_EQ(writeTimes(images + "/0_3").size(), 100u);
        EXPECT_EQ(countOf(game.output(), "generating subgrids: [0][3]"), 1u);
        const sf::Image shot = game.screenshot("cells.png");
        EXPECT_GE(squareShows(shot, 4 * 213, CENTRE_ROW_TOP, images + "/0_3/4_5.jpg"), 0.9);
        EXPECT_GE(squareShows(shot, 3 * 213, CENTRE_ROW_TOP, images + "/0_3/3_5.jpg"), 0.9);
        EXPECT_GE(squareShows(shot, 4 * 213, CENTRE_ROW_TOP - 213, images + "/0_3/4_4.jpg"), 0.9);
        // A square the coast crosses: cell (6, 5) and not its mirror (5, 6).
        EXPECT_GE(squareShows(shot, 6 * 213, CENTRE_ROW_TOP, images + "/0_3/6_5.jpg", 200), 0.9);
        EXPECT_LT(squareShows(shot, 6 * 213, CENTRE_ROW_TOP, images + "/0_3/5_6.jpg", 200), 0.9);
    }
    {
        SCOPED_TRACE("Dash twice: back to the grid view, then the world map");
        game.hold("minus");
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_GE(
            squareShows(game.screenshot("grid-again.png"), 4 * 213, CENTRE_ROW_TOP, images + "/0_3.jpg"),
            0.9);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        game.hold("minus");
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_GT(expectWorldMap(game.screenshot("map-again.png"), map, 675), 100);
    }
    {
        SCOPED_TRACE("Escape closes with the closing message and exit code 0");
        game.key("Escape");
        EXPECT_EQ(game.exitCode(), 0);
        const std::string out = game.output();
        EXPECT_NE(out.find("Done loading pathing grid!\n"), std::string::npos);
        EXPECT_EQ(out.substr(out.size() - 45), "Closing. Press any key to close this window.\n");
    }

    SCOPED_TRACE("a second start on the same world reuses the cell pictures");
    const auto before = writeTimes(images + "/0_3");
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    windowSession again(directory, "--world w --seed 5");
    ASSERT_TRUE(again.waitForWindow()) << again.transcript();
    for (const char* arrow : {"Down", "Down", "Down", "Right", "Right"}) {
        again.step(arrow);
    }
    again.hold("equal");
    ASSERT_TRUE(again.waitForOutput("Loaded [", 63)) << again.transcript();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    again.hold("equal");
    ASSERT_TRUE(again.waitForOutput("Image load time:")) << again.transcript();
    EXPECT_NE(again.output().find("generating subgrids: [0][3]\nGenerated parent terrain, launching threads\n"
                                  "Threads joined\n"),
              std::string::npos);
    EXPECT_EQ(writeTimes(images + "/0_3"), before);
    again.key("Escape");
    EXPECT_EQ(again.exitCode(), 0);
}
