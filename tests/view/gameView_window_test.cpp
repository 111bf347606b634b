// A user's session in the built program's window on a small world, driven with the keys, the mouse and the
// console as a user drives it, and checked on what the window shows.
#include "support/scaledText.hpp"
#include "support/smallWorldGame.hpp"
#include "ui/alertNotices.hpp"
#include "view/factionColours.hpp"
#include "view/gridGeometry.hpp"
#include "world/terrainImage.hpp"

#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <set>

namespace {
constexpr int CENTRE_ROW_TOP = 5 * 213 - 540 - 106; // the grid views' centre row of screen squares

/// Compares the map cells that the world map shows with its camera centred on map pixel x `centreX` (y 175)
/// clear of the panels, at 1920 / 950 window pixels per map pixel. Only cells whose neighbours share their
/// colour count, so that rounding at cell borders cannot matter. The map scrolls a grid a frame under the
/// locator, so a slow machine gets a few seconds to show it. Cells within two of an object of `made`, which
/// its mark may cover, do not count. Returns the cells seen.
int expectMapCells(windowSession& game, const std::string& name, const smallWorldGame& world, float centreX) {
    const worldMap& map = world.map;
    std::vector<std::tuple<sf::Vector2u, sf::Color, std::string>> cells; // window pixel, colour, map cell
    for (int i = 0; i < 63 * 23; ++i) {
        const int x = 1 + 3 * (i % 63), y = 1 + 3 * (i / 63);
        const sf::Color colour = terrainColour(map.data(x, y));
        bool flat = true;
        for (int d = 0; d < 9; ++d) {
            flat = flat && terrainColour(map.data(x + d % 3 - 1, y + d / 3 - 1)) == colour;
        }
        for (const auto& faction : world.made) {
            for (const placeableObject* object : faction->objects) {
                flat = flat && (std::abs(object->x * 10 - x) > 2 || std::abs(object->y * 10 - y) > 2);
            }
        }
        const float mapX = 5.0f * x + 2.5f + (5.0f * x + 2.5f < centreX - 475 ? 950 : 0);
        const sf::Vector2f at(960 + (mapX - centreX) * 1920 / 950,
                              540 + (5.0f * y + 2.5f - 175) * 1920 / 950);
        const bool panel = (at.x < 710 && at.y < 310) || (at.x > 1700 && at.y < 140) ||
                           (at.x > 1510 && at.y > 570) || at.y > 970;
        if (flat && at.x >= 0 && at.x < 1920 && at.y >= 0 && !panel) {
            cells.emplace_back(sf::Vector2u(at), colour, std::to_string(x) + ", " + std::to_string(y));
        }
    }
    std::vector<std::string> wrong;
    for (int tries = 0; tries < 20 && (tries == 0 || !wrong.empty()); ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(tries == 0 ? 0 : 250));
        const sf::Image shot = game.screenshot(name);
        wrong.clear();
        for (const auto& [at, colour, cell] : cells) {
            const sf::Color shown = shot.getPixel(at.x, at.y);
            if (shown != colour && shown != sf::Color::Red) { // the locator's outline hides what is under it
                wrong.push_back(cell);
            }
        }
    }
    EXPECT_EQ(wrong, std::vector<std::string>()) << "map cells that show another colour in " << name;
    return static_cast<int>(cells.size());
}

/// Share of sample points of the screen square at column `i` of the centre row (shifted `rows` rows) that
/// show `picture` within a pixel and a few levels: the program and the test decode with different decoders.
double squareShows(const sf::Image& shot, int i, const std::string& picturePath, int rows = 0,
                   int sampledHeight = 150) {
    sf::Image picture;
    EXPECT_TRUE(picture.loadFromFile(picturePath)) << picturePath;
    int matching = 0, points = 0;
    for (int sx = 18; sx < 200; sx += 30) { // clear of the centre mark and its label
        for (int sy = 16; sy < sampledHeight; sy += 30, ++points) {
            const sf::Color seen = shot.getPixel(static_cast<unsigned>(213 * i + sx),
                                                 static_cast<unsigned>(CENTRE_ROW_TOP + 213 * rows + sy));
            bool found = false;
            for (int d = 0; d < 9 && picture.getSize().x > 0 && !found; ++d) {
                const sf::Color near =
                    picture.getPixel(static_cast<unsigned>((sx + 0.5f) * 600 / 213 + d % 3 - 1),
                                     static_cast<unsigned>((sy + 0.5f) * 600 / 213 + d / 3 - 1));
                found = std::abs(seen.r - near.r) <= 16 && std::abs(seen.g - near.g) <= 16 &&
                        std::abs(seen.b - near.b) <= 16;
            }
            matching += found ? 1 : 0;
        }
    }
    return static_cast<double>(matching) / points;
}

/// Whether a pixel within `radius` of `point` shows exactly `colour`.
bool showsNear(const sf::Image& shot, sf::Vector2i point, sf::Color colour, int radius = 2) {
    bool shown = false;
    for (int d = 0; d < (2 * radius + 1) * (2 * radius + 1); ++d) {
        const sf::Vector2u at(point.x + d % (2 * radius + 1) - radius,
                              point.y + d / (2 * radius + 1) - radius);
        shown = shown ||
                (at.x < shot.getSize().x && at.y < shot.getSize().y && shot.getPixel(at.x, at.y) == colour);
    }
    return shown;
}

/// Whether the chart panel shows `title` and the human's faction in its legend.
bool chartShows(const sf::Image& shot, const std::string& title) {
    bool named = false;
    for (int row = 0; row < 3; ++row) { // three factions, each in a legend row 56 units high
        named = named || textShown(shot, "Tester's Faction", 1310, 410 + 56 * row) > 0.97;
    }
    return named && textShown(shot, title, 316, 336, sf::Color::White, 24) > 0.97;
}

/// The pixels of the screenshot that show exactly `colour`.
std::vector<sf::Vector2i> pixelsOf(const sf::Image& shot, sf::Color colour) {
    std::vector<sf::Vector2i> found;
    for (unsigned i = 0; i < shot.getSize().x * shot.getSize().y; ++i) {
        if (shot.getPixel(i % shot.getSize().x, i / shot.getSize().x) == colour) {
            found.emplace_back(i % shot.getSize().x, i / shot.getSize().x);
        }
    }
    return found;
}

/// The x of the world map's camera centre (map pixels, 475 … 1425) while the red locator stands where `shot`
/// shows it over grid column `gridX` − 1 (the grid view's centre), its left edge on that column's: 50 map
/// pixels a column, 1920 / 950 window pixels a map pixel, the camera 950 across.
float mapCentreX(const sf::Image& shot, int gridX) {
    int left = 1920;
    for (const sf::Vector2i& red : pixelsOf(shot, sf::Color::Red)) {
        left = std::min(left, red.x + 5); // inside the outline
    }
    const float centre = 475 + 50 * (gridX - 1) - static_cast<float>(left) * 950 / 1920;
    return 475 + 50 * std::fmod(std::round((centre - 475) / 50) + 190, 19.0f);
}

/// How many "Loaded [" lines a run has written once the grid view has been entered on each of `selections`.
std::size_t gridPictures(const std::vector<std::pair<int, int>>& selections) {
    std::set<std::pair<int, int>> grids;
    for (const auto& [gridX, gridY] : selections) {
        for (const gridToLoad& grid : gridLoadBlock(gridX, gridY, 19, 7)) {
            grids.insert({grid.column, grid.row});
        }
    }
    return grids.size();
}
} // namespace

TEST(GameWindow, AUsersSessionWithTheKeysTheMouseAndTheConsole) {
    const smallWorldWindow setup;
    ASSERT_TRUE(setup.display.open()) << NEEDS_DISPLAY;
    const smallWorldGame world(5);
    const std::string images = setup.directory.file("worlds/w/images");
    std::optional<windowSession> game;
    game.emplace(setup.directory, "--world w --seed 5");
    ASSERT_TRUE(game->waitForWindow()) << game->transcript();
    // The world map opens with the locator on the human's city near the window's middle, every city and unit
    // marked in its faction's colour.
    const placeableObject& home = world.humanCity();
    const int gridX = static_cast<int>(home.x) + 1, gridY = static_cast<int>(home.y);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    sf::Image shot = game->screenshot("map.png");
    const std::vector<sf::Vector2i> red = pixelsOf(shot, sf::Color::Red), own = pixelsOf(shot, LIGHT_GREEN);
    ASSERT_FALSE(red.empty() || own.empty());
    EXPECT_TRUE(red.front().x <= own.front().x && own.front().x <= red.back().x &&
                red.front().y < own.front().y && own.front().y < red.back().y && red.front().x > 800 &&
                red.back().x < 1120)
        << "the locator around the human's city near the window's middle";
    const factionColours colours(world.made, world.made[0].get(), 19);
    for (std::size_t f = 1; f < world.made.size(); ++f) {
        EXPECT_GE(pixelsOf(shot, colours.colourOf(*world.made[f])).size(), 40u)
            << "faction " << f << "'s marks";
    }
    EXPECT_GT(expectMapCells(*game, "map.png", world, mapCentreX(shot, gridX)), 100);
    ASSERT_TRUE(steerTo(*game, 1, 3, gridX, gridY)) << "to grid (1, 3)";
    EXPECT_GT(
        expectMapCells(*game, "map-panned.png", world, mapCentreX(game->screenshot("map-panned.png"), 1)),
        100);

    game->hold("equal");
    ASSERT_TRUE(game->waitForOutput("Loaded [", gridPictures({{1, 3}}))) << game->transcript();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    shot = game->screenshot("grid.png"); // the grid view on grid (0, 3), grid 18 to its left
    EXPECT_EQ(std::make_tuple(squareShows(shot, 4, images + "/0_3.jpg") >= 0.9,
                              squareShows(shot, 3, images + "/18_3.jpg") >= 0.9,
                              squareShows(shot, 4, images + "/5_5.jpg") >= 0.9),
              std::make_tuple(true, true, false));
    game->hold("equal");
    ASSERT_TRUE(game->waitForOutput("Image load time:")) << game->transcript();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    shot = game->screenshot("cells.png");
    // Cells (4, 4) above the centre, and (6, 5) where the coast crosses, not its mirror (5, 6).
    EXPECT_EQ(std::make_tuple(squareShows(shot, 4, images + "/0_3/4_4.jpg", -1) >= 0.9,
                              squareShows(shot, 6, images + "/0_3/6_5.jpg", 0, 200) >= 0.9,
                              squareShows(shot, 6, images + "/0_3/5_6.jpg", 0, 200) >= 0.9),
              std::make_tuple(true, true, false));
    for (int out = 0; out < 2; ++out) { // Dash: the grid view, then the world map
        game->hold("minus");
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }

    ASSERT_TRUE(steerTo(*game, gridX, gridY, 1, 3));
    game->hold("equal");
    ASSERT_TRUE(game->waitForOutput("Loaded [", gridPictures({{1, 3}, {gridX, gridY}})))
        << game->transcript();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const sf::Vector2i city = gridViewPixel(home.x, home.y, gridX, gridY);
    game->click(city.x, city.y + 7);
    game->click(1055, 1030); // Found City, which a city refuses
    game->click(849, 1030);  // Detailed Stats
    game->moveMouse(1000, 950);
    const sf::Image details = game->screenshot("details.png");
    EXPECT_TRUE(consoleShows(details, "A city can not found a city: select a unit to found one."));
    EXPECT_GT(textShown(details, "Tester's city", 1520, 577), 0.97)
        << "the panel above the bar names the city clicked";
    EXPECT_GT(textShown(details, "1. " + home.people[0]->name, 685, 130 + 13 * 23), 0.97) << "the first row";
    game->hold("c", 100); // the chart over the box: a click on the first row's X there chooses nobody
    game->click(670, 440);
    EXPECT_TRUE(chartShows(game->screenshot("chart.png"), "People by game day")) << "the chart of people";
    game->click(1200, 350); // its button Food
    EXPECT_TRUE(chartShows(game->screenshot("chart-food.png"), "Food by game day")) << "the chart of food";
    game->hold("c", 100);
    game->click(670, 440); // the X of the first two citizens
    game->click(670, 509);
    game->moveMouse(1000, 950);
    shot = game->screenshot("rows-chosen.png");
    for (const unsigned rowTop : {430u, 499u}) {
        EXPECT_GT(shot.getPixel(1240, rowTop + 10).r, details.getPixel(1240, rowTop + 10).r + 20)
            << "a yellow row at " << rowTop;
    }
    EXPECT_EQ(shot.getPixel(1240, 578), details.getPixel(1240, 578)) << "the third row stays as it was";
    game->click(1220, 110); // Split
    game->moveMouse(1000, 950);
    shot = game->screenshot("split.png");
    EXPECT_EQ(std::make_pair(textShown(shot, "Tester's split Unit", 1520, 577) > 0.97,
                             textShown(shot, "Tester's city", 685, 130) > 0.5),
              std::make_pair(true, false))
        << "the new unit is selected and the box closed";
    const float toX =
        home.x + (world.map.data(static_cast<int>(home.x * 10) + 3, static_cast<int>(home.y * 10)) > 0
                      ? 0.25f
                      : -0.25f);
    const sf::Vector2i target = gridViewPixel(toX, home.y, gridX, gridY);
    game->click(target.x, target.y + 7);
    game->moveMouse(1000, 950);
    EXPECT_TRUE(showsNear(game->screenshot("placed.png"), target + sf::Vector2i(2, 2), sf::Color::Magenta))
        << "its last waypoint";
    ASSERT_LT(world.map.data(39, 44), 0) << "open water east of the city, where no path leads";
    const sf::Vector2i water = gridViewPixel(3.95f, 4.45f, gridX, gridY);
    game->click(water.x, water.y + 7, 3);
    // The notice is looked for from the moment of the order: a day's starvation notice that comes after it
    // may push it out of the band.
    bool notice = false; // the newest at the top, the one before under it
    for (int shots = 0; shots < 20 && !notice; ++shots) {
        shot = game->screenshot("notice.png");
        for (int y = 8; y < 70 && !notice; ++y) {
            notice = textShown(shot, "Tester's split Unit finds no path to", 719, y, alertNotices::COLOUR,
                               18) > 0.97;
        }
    }
    std::size_t outlined = 0; // the selected unit's mark on the overview map
    for (const sf::Vector2i& pixel : pixelsOf(shot, SELECTION_COLOUR)) {
        outlined += pixel.x > 1440 && pixel.y < 249 ? 1 : 0;
    }
    EXPECT_EQ(std::make_pair(notice, outlined > 10), std::make_pair(true, true))
        << "a notice at the top; the selection outlined on the overview map";
    consoleCommand(*game, "addAI all");
    std::this_thread::sleep_for(std::chrono::seconds(3));
    consoleCommand(*game, "pause"); // so that the status line keeps the tick of the save
    consoleCommand(*game, "stats");
    consoleCommand(*game, "mapshot");
    sf::Image picture;
    ASSERT_TRUE(picture.loadFromFile(setup.directory.file("worlds/w/map.png")));
    EXPECT_EQ(std::make_tuple(
                  picture.getSize(),
                  consoleShows(game->screenshot("files.png"), "Statistics written: worlds/w/stats.csv, "),
                  readTextFile(setup.directory.file("worlds/w/stats.csv")).substr(0, 9)),
              std::make_tuple(sf::Vector2u(950, 600), true, std::string("day,date,")));
    consoleCommand(*game, "clear");
    consoleCommand(*game, "save");
    const sf::Image saved = game->screenshot("saved.png");
    // Renamed in UTF-8, then resized from outside to 600 × 900: scale 0.31, the largest inside, keeps the
    // picture in proportion, and a click on Cancel (952, 1030 in window units) still presses it.
    consoleCommand(*game, "rename Wächter ☃");
    consoleCommand(*game, "scale 10"); // refused on this screen of 2048 × 1200, in a reply of two rows
    ASSERT_TRUE(game->resize(600, 900, "595x334")) << game->windowSize();
    const sf::Image small = game->screenshot("resized.png");
    game->click(295, 319);
    ASSERT_TRUE(game->resize(1930, 1090, "1920x1080")) << game->windowSize();
    shot = game->screenshot("resized-back.png");
    EXPECT_EQ(std::make_tuple(scaledTextShown(small, "World saved to: worlds/w/gamedata.dat", 5, 28,
                                              sf::Color::Green) > 0.9,
                              consoleShows(shot, "Action canceled."),
                              consoleShows(shot, "largest scale that fits is 1.03."),
                              textShown(shot, sf::String(L"Wächter ☃"), 1520, 577) > 0.97),
              std::make_tuple(true, true, true, true))
        << "the reply to scale 10 wraps after \"): the\" (seen in the screenshot)";
    game->key("Escape");
    ASSERT_EQ(game->exitCode(), 0) << game->transcript();
    // Escape leaves an autosave of the paused game, at the tick of the save.
    const std::string autosaved = "Autosaved: worlds/w/autosave-", output = game->output();
    const std::string tick =
        std::to_string(std::stoi(output.substr(output.find(autosaved) + autosaved.size())));
    EXPECT_NE(output.find(autosaved + tick + ".dat, tick " + tick + ", "), std::string::npos) << output;

    // The same world started again goes on from its newest save, the autosave; at gen 42's prompt the name
    // will be left to the seed.
    game.emplace(setup.directory, "--world w", "\n");
    ASSERT_TRUE(game->waitForWindow()) << game->transcript();
    const std::string continuing = "Continuing the game saved in worlds/w/autosave-" + tick + ".dat at tick ";
    ASSERT_TRUE(game->waitForOutput(continuing + tick + ".")) << game->transcript();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const sf::Image continued = game->screenshot("continued.png");
    EXPECT_EQ(std::make_tuple(consoleShows(saved, "Game saved: worlds/w/game.dat, tick " + tick + ","),
                              textShown(saved, "Game tick: " + tick, 0, 1010) > 0.97,
                              textShown(continued, "Game tick: " + tick, 0, 1010) > 0.97,
                              consoleShows(continued, continuing.substr(0, continuing.find(" at")))),
              std::make_tuple(true, true, true, true))
        << "paused, saved, and started again paused at the tick of the save";
    game->hold("c", 100);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(chartShows(game->screenshot("continued-chart.png"), "People by game day"))
        << "the saved days charted, none since";
    game->hold("c", 100);
    // Space resumes and pauses; ticks in two seconds at 1x, then at 16x after four steps up with the period.
    std::vector<long> ticks{std::stol(tick)};
    for (int run = 0; run < 2; ++run) {
        for (int up = 0; run == 1 && up < 4; ++up) {
            game->hold("period", 100);
        }
        game->hold("space", 100);
        std::this_thread::sleep_for(std::chrono::seconds(2));
        game->hold("space", 100);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        const sf::Image paused = game->screenshot("paused-" + std::to_string(run) + ".png");
        ticks.push_back(numberShownAfter(paused, "Game tick: ", 0, 1010));
        EXPECT_EQ(std::make_tuple(textShown(paused, "PAUSED", 360, 1033, alertNotices::COLOUR) > 0.97,
                                  textShown(paused, run == 0 ? "Speed: 1x" : "Speed: 16x", 360, 1010) > 0.97),
                  std::make_tuple(true, true))
            << "run " << run;
    }
    EXPECT_GE(ticks[2] - ticks[1], 8 * (ticks[1] - ticks[0]))
        << "ticks at 1x, then at 16x: " << ticks[0] << ", " << ticks[1] << ", " << ticks[2];
    EXPECT_GT(ticks[1] - ticks[0], 0) << "Space ran the game on at 1x";
    game->hold("space", 100);
    const std::size_t paths = countOf(game->output(), "Pather returned");
    std::this_thread::sleep_for(std::chrono::seconds(3));
    EXPECT_GT(countOf(game->output(), "Pather returned"), paths) << "the computer's units go on";
    consoleCommand(*game, "scale 0.5");
    EXPECT_EQ(game->windowSize(), "960x540");
    consoleCommand(*game, "load w", true);
    ASSERT_TRUE(game->waitForOutput("Done loading pathing grid!", 2) && game->waitForWindow())
        << game->transcript();
    EXPECT_EQ(game->windowSize(), "1920x1080") << "at the settings' scale";
    consoleCommand(*game, "saves");
    int number = 1; // game.dat comes after the autosaves kept: those of load and Escape, and of days at 16x
    for (const auto& entry : boost::filesystem::directory_iterator(setup.directory.file("worlds/w"))) {
        number += entry.path().filename().string().rfind("autosave-", 0) == 0 ? 1 : 0;
    }
    EXPECT_TRUE(consoleShows(game->screenshot("saves.png"),
                             std::to_string(number) + ". worlds/w/game.dat: tick " + tick + ", "));
    consoleCommand(*game, "continue " + std::to_string(number), true);
    ASSERT_TRUE(game->waitForOutput("Continuing the game saved in worlds/w/game.dat at tick " + tick + ".") &&
                game->waitForOutput("Done loading pathing grid!", 3) && game->waitForWindow())
        << game->transcript();
    consoleCommand(*game, "gen 42", true);
    ASSERT_TRUE(game->waitForOutput("Please enter the world name (leave blank for name based on seed): ", 2))
        << game->transcript();
    ASSERT_TRUE(game->waitForOutput("Done loading pathing grid!", 4) && game->waitForWindow())
        << game->transcript();
    EXPECT_EQ(std::make_pair(countOf(game->output(), "Generating world with seed: 42\n"),
                             countOf(game->output(), "Enter the world seed")),
              std::make_pair(std::size_t{1}, std::size_t{0}))
        << "a new world from seed 42, no seed asked for";
    const smallWorldGame world42(42);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const float centre42 =
        mapCentreX(game->screenshot("gen42.png"), static_cast<int>(world42.humanCity().x) + 1);
    EXPECT_GT(expectMapCells(*game, "gen42.png", world42, centre42), 100)
        << "the world map shows seed 42's world";
    ASSERT_NO_THROW(game->key("Escape")) << game->transcript();
    EXPECT_EQ(game->exitCode(), 0) << game->transcript();
    EXPECT_EQ(game->output().substr(game->output().size() - 45),
              "Closing. Press any key to close this window.\n");
}
