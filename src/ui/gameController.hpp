#pragma once

#include "app/chronometer.hpp"
#include "sim/factionStatistics.hpp"
#include "sim/pathSearches.hpp"
#include "ui/gameSpeed.hpp"

#include <SFML/Window/Keyboard.hpp>
#include <chrono>
#include <cstdint>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

enum class unreachableReason : std::uint8_t;
class Faction;
class button;
class gameView;
class iceCap;
class placeableObject;
class worldMap;
namespace sf {
class Event;
}

/// The console's line for an order of `name`'s to (x, y), x in the +1.0 convention, that no path can reach:
/// the gear it lacks, when that is why.
std::string unreachableText(const std::string& name, float x, float y, unreachableReason reason);

/// Turns time and the user's intent into simulation: generates the world and the factions at start-up,
/// advances the game by ticks and carries out the user's orders. Main thread only.
class gameController {
  public:
    /// `clock` drives the game clock; by default the real time. The game calendar starts again at tick 0.
    explicit gameController(sftools::Chronometer::timeSource clock = {});

    /// The pausable game clock; running from construction on.
    sftools::Chronometer gameClock;
    /// Values of `context`.
    static constexpr int noOrder = 0;
    static constexpr int movePending = 1;
    static constexpr int attackPending = 2;
    static constexpr int mergePending = 3;

    /// The pending order: what the next left click in a grid view completes (see the values above).
    int context = noOrder;
    /// The object the orders apply to; null until something is selected.
    placeableObject* selectedObject = nullptr;
    /// The window that shows this game; null until the view is initialised.
    gameView* view = nullptr;
    /// Game clock milliseconds that must have passed since the last tick for the next one: more than this.
    int tickInterval = 16;
    /// Game clock milliseconds at the last tick; 64 bits, as the clock runs for weeks of play.
    std::int64_t lastTickTime = 0;
    gameSpeed speed;
    /// Real time the ticks of one frame may take at speeds above 1×: beyond it, the frame rate would drop
    /// below 30 a second once the frame is drawn.
    std::chrono::steady_clock::duration tickBudget = std::chrono::milliseconds(15);
    /// Called after every tick: the computer opponent's step.
    std::function<void()> afterEachTick;
    /// Every faction's totals at the end of every game day, recorded by the tick.
    factionStatistics statistics;

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

    /// The ticks the game clock asks for at the game's speed: up to 1×, at most one, when more than the
    /// speed's interval (tickInterval at 1×) has passed since the last; faster, one for every interval
    /// passed, as many as fit in tickBudget of real time (the rest are let go). Each tick advances the
    /// calendar, updates every object in play once, then calls afterEachTick. Returns the ticks taken.
    int processGameTick();

    /// Sends the selected object to the cursor, x in the +1.0 convention.
    void orderMove(float cursorX, float cursorY);
    /// Sends the selected object to attack `target` where it stands.
    void orderAttack(placeableObject* target);
    /// Sends the selected object to merge into `target`.
    void orderMerge(placeableObject* target);

    // Keyboard, mouse and window events, polled once per frame by the view on screen
    // (gameControllerInput.cpp).
    /// Polls the keys, then drains the window's events.
    void checkForInput();
    /// Arrow keys pan; Return, Dash and Equal act at most once per 0.3 s. Nothing while the console types.
    void checkForKeypress();
    /// Drains the window's events: text to the console, Up and Down to its history, the other keys to
    /// pressKey while the console takes no text, the mouse; the close button and Escape close the window.
    void pollEvents();
    /// A key pressed while the console takes no text: Home goes home, Space pauses or resumes the game,
    /// comma and period step the game's speed down and up; the others go to handleChartKey.
    void pressKey(sf::Keyboard::Key key);
    /// Pauses the game clock, or resumes it when paused, and says so in the console.
    void togglePause();
    /// C shows or hides the charts; while they show, 1 to 7 choose the statistic charted.
    void handleChartKey(sf::Keyboard::Key key);
    /// Reads the mouse position from the window and follows it (mouseMovedTo).
    void handleMouseMove();
    /// The mouse is at window pixel (x, y): stores it in the view, works out the world point under it and
    /// shows the tooltip of the last object there (grid views only).
    void mouseMovedTo(int x, int y);
    /// Scrolls the console, or the info box while it is shown, when the wheel turns over it.
    void handleMouseWheel(const sf::Event& event);
    /// Right: attacks the first foreign object under the cursor, else moves there. Left, in the grid views:
    /// presses the first button hit, else completes the pending order or selects.
    void handleMousePress(const sf::Event& event);
    /// Registers a button for the hit test (not owned; its panel unregisters it before destroying it).
    void addButton(button* b);
    /// Unregisters the button; nothing when it is not registered.
    void removeButton(button* b);
    /// Seconds on Clock of the last debounced key action or executed console line.
    float lastInputTime = 0.0f;
    /// Registered buttons in registration order; their panels own them.
    std::vector<button*> buttons;

    /// Takes over the paths a saved game was searching for: their objects count as searching until
    /// resumePendingPaths asks for them again.
    void awaitPaths(std::vector<std::pair<placeableObject*, pathQuery>> pending);
    /// Asks again for the paths handed over by awaitPaths, each as it was asked for. Once the pathing graph
    /// and the path searches are ready.
    void resumePendingPaths();
    /// The paths handed over by awaitPaths and not yet asked for again.
    const std::vector<std::pair<placeableObject*, pathQuery>>& unresumedPaths() const { return toResume; }

    /// Tells the console of every order of the human's whose path search has ended without a path, once.
    /// Called every frame by processGameTick.
    void reportUnreachableOrders();
    /// Home: centres the view on the selected object in play or, with none, selects the human's first city
    /// and centres on it.
    void goHome();
    /// The human commands the object, or leads its faction.
    bool humanOwns(const placeableObject& object) const;

  private:
    /// A path asked for by one of the human's orders, until its search ends.
    struct orderedPath {
        placeableObject* object;
        float x;
        float y;
        /// The object's request number for it.
        std::uint64_t request;
    };
    std::vector<orderedPath> awaitingPaths;
    std::vector<std::pair<placeableObject*, pathQuery>> toResume;
    /// One tick: the calendar, every object in play, afterEachTick.
    void takeTick();
    /// The objects that step in the tick being taken; kept between ticks to spare the allocation.
    std::vector<placeableObject*> stepping;
    /// Asks for the selected object's path to (x, y), x in the +1.0 convention, on the human's behalf.
    void requestPath(float x, float y);

    /// Every object of every faction within the mode's tolerance of the cursor, in scan order.
    std::vector<placeableObject*> objectsUnderCursor() const;
    /// The common part of orderAttack and orderMerge; false when refused.
    bool orderTowards(placeableObject* target, const std::string& refusal, const std::string& verb,
                      bool merging);
};
