#pragma once

#include "app/commandLine.hpp"

#include <iosfwd>

/// Runs the start-up sequence and the game until the window closes without a request for another world.
/// Prompts read `in`; progress goes to `out`. Stops the program through exitRequest on fatal errors.
void gameInit(startupOptions options, std::istream& in, std::ostream& out);

#include <memory>

namespace sf {
class RenderWindow;
}
class aStarGraph;
class gameController;
class gameView;
class iceCap;
class worldMap;

// The current run's objects, replaced wholesale at every relaunch.
/// The pathing graph; read-only once filled.
extern std::unique_ptr<aStarGraph> graph;
extern std::unique_ptr<gameController> controller;
extern std::unique_ptr<worldMap> mapData;
extern std::unique_ptr<iceCap> northCap;
extern std::unique_ptr<iceCap> southCap;
/// The window owner; it and the window exist only while the window is open.
extern std::unique_ptr<gameView> view;
extern std::unique_ptr<sf::RenderWindow> App;
