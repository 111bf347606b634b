#pragma once

#include "app/commandLine.hpp"

#include <iosfwd>
#include <memory>
#include <vector>

/// Runs the start-up sequence and the game until the window closes without a request for another world.
/// Prompts read `in`; progress goes to `out`. Stops the program through exitRequest on fatal errors.
void gameInit(startupOptions options, std::istream& in, std::ostream& out);

/// Stops every path search, then releases the current run's objects, newest first and the graph last.
/// Used whichever way a run ends.
void endRun();

namespace sf {
class RenderWindow;
}
class AIController;
class Faction;
class aStarGraph;
class gameController;
class gameView;
class iceCap;
class player;
class worldMap;

// The current run's objects, replaced wholesale at every relaunch. Main thread only, except `graph`.
/// The pathing graph; read-only once filled, so path searches read it from their threads.
extern std::unique_ptr<aStarGraph> graph;
extern std::unique_ptr<AIController> AIHandler;
extern std::unique_ptr<gameController> controller;
extern std::unique_ptr<worldMap> mapData;
extern std::unique_ptr<iceCap> northCap;
extern std::unique_ptr<iceCap> southCap;
/// Every faction of the run; the human's first.
extern std::vector<std::unique_ptr<Faction>> factions;
/// The human's record; points into factions[0].
extern std::unique_ptr<player> humanPlayer;
/// The window owner; it and the window exist only while the window is open.
extern std::unique_ptr<gameView> view;
extern std::unique_ptr<sf::RenderWindow> App;
