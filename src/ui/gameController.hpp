#pragma once

class gameView;
class iceCap;
class worldMap;

/// Turns time and the user's intent into simulation: generates the world at start-up.
class gameController {
  public:
    /// The window that shows this game; null until the view is initialised.
    void setViewReference(gameView* v) { view = v; }

    /// Fills the map and both caps from the seeded random source, in the order that makes a seed
    /// always give the same world: map, north cap, south cap.
    void generateWorld(worldMap& map, iceCap& north, iceCap& south);

    gameView* view = nullptr;
};
