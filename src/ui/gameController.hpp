#pragma once

#include "app/chronometer.hpp"

#include <iostream>
#include <memory>
#include <string>
#include <vector>

class Faction;
class gameView;
class iceCap;
class placeableObject;
class worldMap;

/// Turns time and the user's intent into simulation: generates the world and the factions at start-up,
/// advances the game by ticks and carries out the user's orders. Main thread only.
class gameController {
  public:
    /// `clock` drives the game clock; by default the real time.
    explicit gameController(sftools::Chronometer::timeSource clock = {});

    /// The pausable game clock; running from construction on.
    sftools::Chronometer gameClock;
    /// The pending order: 0 none, 1 move, 2 attack, 3 merge.
    int context = 0;
    /// The object the orders apply to; null until something is selected.
    placeableObject* selectedObject = nullptr;
    /// The window that shows this game; null until the view is initialised.
    gameView* view = nullptr;
    /// Game clock milliseconds that must have passed since the last tick for the next one: more than this.
    int tickInterval = 16;
    /// Game clock milliseconds at the last tick.
    int lastTickTime = 0;

    void setViewReference(gameView* v) { view = v; }

    /// Fills the map and both caps from the seeded random source, in the order that makes a seed
    /// always give the same world: map, north cap, south cap.
    void generateWorld(worldMap& map, iceCap& north, iceCap& south);

    /// A random land position (grid units) strictly between sea level and the mountain tops, on a map cell
    /// and on a lattice point of its cell grid. The map must have such a cell.
    void getRandomPlacementLocation(float* x, float* y, const worldMap& map);
    /// Reads the name lists and makes `count` factions, the human's first, each with a city and a unit 0.1
    /// grid units right of and below it; sets humanPlayer. Writes its progress to `out`. Stops the program
    /// (exitRequest) when a name list cannot be read or the map has no land to stand on.
    [[nodiscard]] std::vector<std::unique_ptr<Faction>>
    generateFactions(int count, const std::string& humanName, const std::string& humanFactionName,
                     const worldMap& map, std::ostream& out = std::cout);

    /// At most one tick: when more than tickInterval game-clock milliseconds have passed since the last one,
    /// advances the calendar and updates every object of every faction. True when it ticked.
    bool processGameTick();

    /// Sends the selected object to the cursor, x in the +1.0 convention.
    void orderMove(float cursorX, float cursorY);
    /// Sends the selected object to attack `target` where it stands.
    void orderAttack(placeableObject* target);
    /// Sends the selected object to merge into `target`.
    void orderMerge(placeableObject* target);

    // Keyboard and window events, polled once per frame by the view on screen (gameControllerInput.cpp).
    /// Polls the keys, then drains the window's events.
    void checkForInput();
    /// Arrow keys pan; Return, Dash and Equal act at most once per 0.3 s. Nothing while the console types.
    void checkForKeypress();
    /// Closes the window on its close button or Escape; records mouse movement.
    void pollEvents();
    /// Stores the mouse position in window pixels in the view.
    void handleMouseMove();
    /// Seconds on Clock of the last debounced key action.
    float lastInputTime = 0.0f;

  private:
    /// The human commands the object, or leads its faction.
    bool humanOwns(const placeableObject& object) const;
    /// The common part of orderAttack and orderMerge; false when refused.
    bool orderTowards(placeableObject* target, const std::string& refusal, const std::string& verb,
                      bool merging);
};
