#pragma once

#include "app/gameInit.hpp"
#include "app/random.hpp"
#include "app/settings.hpp"
#include "path/pathGeometry.hpp"
#include "sim/Faction.hpp"
#include "sim/placeableObject.hpp"
#include "sim/player.hpp"
#include "support/settingsGuard.hpp"
#include "support/smallWorldConfig.hpp"
#include "support/smallWorldMap.hpp"
#include "support/windowSession.hpp"
#include "ui/gameController.hpp"
#include "world/iceCap.hpp"
#include "world/worldMap.hpp"

#include <SFML/System/Vector2.hpp>
#include <boost/filesystem.hpp>
#include <cmath>
#include <memory>
#include <sstream>
#include <vector>

/// The small world (190 × 70 cells, three factions, the human called Tester) that the program builds from
/// `seedValue`, with its factions, built here the same way so that a window test knows where things stand.
struct smallWorldGame {
    explicit smallWorldGame(unsigned seedValue) : map(smallWorldMap(seedValue)) {
        // The caps come after the map, as the program generates them.
        iceCap north;
        iceCap south;
        north.gen();
        south.gen();
        std::ostringstream log;
        made = gameController().generateFactions(3, "Tester", "Tester's Faction", map, log);
        humanPlayer.reset();
    }

    /// The human's first object, its city.
    const placeableObject& humanCity() const { return *made[0]->objects[0]; }
    /// The object of another faction nearest the human's city.
    const placeableObject& nearestEnemy() const {
        const placeableObject* nearest = nullptr;
        float best = 1e9f;
        for (std::size_t f = 1; f < made.size(); ++f) {
            for (const placeableObject* object : made[f]->objects) {
                const float d = distanceBetween(object->x, object->y, humanCity().x, humanCity().y);
                if (d < best) {
                    best = d;
                    nearest = object;
                }
            }
        }
        return *nearest;
    }

    /// The small world's settings hold for as long as the game is looked at.
    settingsGuard settings;
    worldMap map;
    std::vector<std::unique_ptr<Faction>> made;
};

/// What a window test starts from: a connection to the display, held for the test (see displayConnection),
/// and a folder with the small world's settings and the program's assets.
struct smallWorldWindow {
    smallWorldWindow() {
        writeSmallWorldConfig(directory);
        boost::filesystem::create_directory_symlink(std::string(KESTROVA_SOURCE_DIR) + "/assets",
                                                    directory.file("assets"));
    }
    displayConnection display;
    temporaryDirectory directory;
};

/// Why a window test cannot run without a display.
constexpr const char* NEEDS_DISPLAY = "these tests need an X display; ./test.sh runs them under xvfb-run";

/// Where the grid view (view mode 1, default window) with the selection on grid (gridX, gridY) draws world
/// point (x, y), and the window pixel the mouse must be on for the cursor to be that point: the cursor's
/// rows are counted 7 pixels lower than the drawing's.
struct gridViewPoint {
    gridViewPoint(float x, float y, int gridX, int gridY)
        : drawn(static_cast<int>(std::lround((x - static_cast<float>(gridX) + 5.0f) * 213.0f)),
                static_cast<int>(std::lround((y - static_cast<float>(gridY) + 5.0f) * 213.0f)) - 646),
          mouse(drawn.x, drawn.y + 7) {}
    sf::Vector2i drawn;
    sf::Vector2i mouse;
};

/// Steps the selection from the start (grid 18, row 0) of a 19-grid-wide world to grid (gridX, gridY), the
/// short way round.
inline void steerTo(windowSession& game, int gridX, int gridY, int fromX = 18, int fromY = 0) {
    const int east = ((gridX - fromX) % 19 + 19) % 19;
    for (int k = 0; k < std::min(east, 19 - east); ++k) {
        game.step(east <= 9 ? "Right" : "Left");
    }
    for (int k = 0; k < std::abs(gridY - fromY); ++k) {
        game.step(gridY > fromY ? "Down" : "Up");
    }
}

/// Runs one console command as a user does: Enter opens the command line, the line is typed, Enter runs it.
inline void consoleCommand(windowSession& game, const std::string& line) {
    game.hold("Return", 200);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    game.type(line);
    game.hold("Return", 50);
    // Enter does not reopen the console within 0.3 s of a command.
    std::this_thread::sleep_for(std::chrono::milliseconds(450));
}
