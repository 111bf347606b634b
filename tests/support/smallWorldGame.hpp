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
        iceCap north, south; // the caps come after the map, as the program generates them
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

constexpr const char* NEEDS_DISPLAY = "these tests need an X display; ./test.sh runs them under xvfb-run";

/// The window pixel at which the grid view (view mode 1, default window) on grid (gridX, gridY) draws world
/// point (x, y); the mouse is 7 pixels lower for the cursor to be that point.
inline sf::Vector2i gridViewPixel(float x, float y, int gridX, int gridY) {
    return {static_cast<int>(std::lround((x - static_cast<float>(gridX) + 5) * 213)),
            static_cast<int>(std::lround((y - static_cast<float>(gridY) + 5) * 213)) - 646};
}

/// Steps the selection on the world map of a world 19 grids wide from (fromX, fromY) to (gridX, gridY), the
/// short way round, waiting after each step until the coordinates text shows it. False when one never shows.
inline bool steerTo(windowSession& game, int gridX, int gridY, int fromX, int fromY) {
    while (fromX != gridX || fromY != gridY) {
        const int east = ((gridX - fromX) % 19 + 19) % 19;
        // Held for less than a pan period: one step.
        game.hold(east == 0 ? (gridY > fromY ? "Down" : "Up") : east <= 9 ? "Right" : "Left", 90);
        fromX = east == 0 ? fromX : (fromX + (east <= 9 ? 1 : 18)) % 19;
        fromY += east != 0 ? 0 : gridY > fromY ? 1 : -1;
        const std::string shown = "X: " + std::to_string(fromX) + "\nY: " + std::to_string(fromY);
        bool seen = false;
        for (int look = 0; look < 25 && !seen; ++look) {
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
            seen = textShown(game.screenshot("steering.png"), shown, 1720, 0, sf::Color::Green, 50) > 0.97;
        }
        if (!seen) {
            return false;
        }
    }
    return true;
}

/// Runs one console command as a user does: Enter opens the command line, the line is typed, Enter runs it.
inline void consoleCommand(windowSession& game, const std::string& line) {
    game.hold("Return", 200);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    game.type(line);
    game.hold("Return", 50);
    std::this_thread::sleep_for(std::chrono::milliseconds(450)); // Enter does not reopen it within 0.3 s
}
