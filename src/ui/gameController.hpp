#pragma once

class worldMap;
class iceCap;

/// Turns time and the user's intent into simulation: generates the world at start-up.
class gameController {
  public:
    /// Fills the map and both caps from the seeded random source, in the order that makes a seed
    /// always give the same world: map, north cap, south cap.
    void generateWorld(worldMap& map, iceCap& north, iceCap& south);
};
