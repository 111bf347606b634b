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
};
