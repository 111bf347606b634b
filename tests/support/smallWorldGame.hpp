#pragma once

#include "app/gameInit.hpp"
#include "path/pathGeometry.hpp"
#include "sim/Faction.hpp"
#include "sim/placeableObject.hpp"
#include "sim/player.hpp"
#include "support/screenText.hpp"
#include "support/settingsGuard.hpp"
#include "support/smallWorld.hpp"
#include "support/windowSession.hpp"
#include "ui/gameController.hpp"
#include "world/iceCap.hpp"

#include <cmath>

/// The small world (190 × 70 cells, three factions, the human called Tester) that the program builds from
/// `seedValue`, with its factions, built here the same way so that a window test knows where things stand.
struct smallWorldGame {
    explicit smallWorldGame(unsigned seedValue) : map(smallWorldMap(seedValue)) {
        worldSeed = static_cast<int>(seedValue); // which the people's names are drawn from
        iceCap north, south;                     // the caps come after the map, as the program generates them
        north.gen();
        south.gen();
        std::ostringstream log;
        made = gameController().generateFactions(3, "Tester", "Tester's Faction", map, log);
        humanPlayer.reset();
    }
    const placeableObject& humanCity() const { return *made[0]->objects[0]; }
    settingsGuard settings; // the small world's settings hold for as long as the game is looked at
    worldMap map;
    std::vector<std::unique_ptr<Faction>> made;
};

/// What a window test starts from: a connection to the display, held for the test, and a folder with the
/// small world's settings and the program's assets.
struct smallWorldWindow {
    smallWorldWindow() {
        writeSmallWorldConfig(directory);
        boost::filesystem::create_directory_symlink(std::string(KESTROVA_SOURCE_DIR) + "/assets",
                                                    directory.file("assets"));
    }
    displayConnection display;
    temporaryDirectory directory;
};

constexpr const char* NEEDS_DISPLAY = "these tests need an X display; ./test.sh runs them under Xvfb";

/// The window pixel at which the grid view (view mode 1, default window) on grid (gridX, gridY) draws world
/// point (x, y); the mouse is 7 pixels lower for the cursor to be that point.
inline sf::Vector2i gridViewPixel(float x, float y, int gridX, int gridY) {
    return {static_cast<int>(std::lround((x - static_cast<float>(gridX) + 5) * 213)),
            static_cast<int>(std::lround((y - static_cast<float>(gridY) + 5) * 213)) - 646};
}

/// Steps the selection on the world map of a world 19 grids wide from (fromX, fromY) to (gridX, gridY), the
/// short way round, reading after each key which grid the coordinates text shows: a busy machine may let a
/// hold make no step or two. False when the text shows none of those.
inline bool steerTo(windowSession& game, int gridX, int gridY, int fromX, int fromY) {
    for (int holds = 0; (fromX != gridX || fromY != gridY) && holds < 60; ++holds) {
        const int east = ((gridX - fromX) % 19 + 19) % 19, dx = east == 0 ? 0 : east <= 9 ? 1 : 18;
        const int dy = east != 0 ? 0 : gridY > fromY ? 1 : -1;
        game.hold(dx == 1 ? "Right" : dx == 18 ? "Left" : dy > 0 ? "Down" : "Up", 90); // one pan period
        bool seen = false;
        for (int look = 0; look < 10 && !seen; ++look) {
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
            const sf::Image shot = game.screenshot("steering.png");
            const auto shows = [&shot](const std::string& x, int y) {
                return textShown(shot, "X: " + x + "\nY: " + std::to_string(y), 1720, 0, sf::Color::Green,
                                 50) > 0.97;
            };
            // No step counts only at the last look: the frame that shows the step may not be drawn yet.
            for (int steps = 2; steps >= (look == 9 ? 0 : 1) && !seen; --steps) {
                const int x = (fromX + steps * dx) % 19, y = fromY + steps * dy;
                seen = shows(std::to_string(x), y);
                for (int digit = 0; digit < 10 && seen && x == 1; ++digit) {
                    seen =
                        !shows("1" + std::to_string(digit), y); // "X: 1" is the start of "X: 10" to "X: 18"
                }
                std::tie(fromX, fromY) = seen ? std::make_pair(x, y) : std::make_pair(fromX, fromY);
            }
        }
        if (!seen) {
            return false;
        }
    }
    return fromX == gridX && fromY == gridY;
}

/// Runs one console command as a user does: Enter opens the command line, the line is typed, Enter runs it.
/// A busy frame may miss a short press, so Enter is pressed until the prompt shows, and again until it goes
/// or, for a command that starts the program again, until the new run reads its settings.
inline void consoleCommand(windowSession& game, const std::string& line, bool relaunches = false) {
    const auto promptShown = [&game] {
        return textShown(game.screenshot("console.png"), ">", 5, 273, sf::Color::Green) > 0.97;
    };
    const auto pressUntil = [&game](int milliseconds, const auto& done) {
        for (int presses = 0; presses < 5; ++presses) {
            game.hold("Return", milliseconds);
            std::this_thread::sleep_for(std::chrono::milliseconds(400)); // Enter does not reopen within 0.3 s
            if (done()) {
                return;
            }
        }
    };
    const std::size_t runs = countOf(game.output(), "Loaded config file.");
    pressUntil(200, promptShown);
    game.type(line);
    pressUntil(50, [&] {
        return relaunches ? countOf(game.output(), "Loaded config file.") > runs : !promptShown();
    });
}
