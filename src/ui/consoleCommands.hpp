#pragma once

#include "app/configText.hpp"

#include <SFML/System/Vector2.hpp>
#include <iostream>
#include <string>

class consoleLog;
class consoleView;
class gameController;

/// What the console's commands do to the game window: close it (to build another world) and resize it,
/// within the screen it is on.
class consoleWindow {
  public:
    virtual ~consoleWindow() = default;
    virtual void close() = 0;
    /// [Units: screen pixels]
    virtual void setSize(unsigned widthPixels, unsigned heightPixels) = 0;
    /// The desktop's size [Units: screen pixels].
    virtual sf::Vector2u screenSize() const = 0;
};

/// The window of the current run; its operations do nothing while no window is open.
consoleWindow& currentGameWindow();

/// The reply to "help": four lines, no line break at the end.
extern const char* const CONSOLE_HELP;

/// Smallest and largest window scale the "scale" command takes, the range config.xml allows.
constexpr float MIN_WINDOW_SCALE = MIN_SCALE_PERCENTAGE / 100.0f;
constexpr float MAX_WINDOW_SCALE = MAX_SCALE_PERCENTAGE / 100.0f;

/// What "scale" does with a valid value: the global `scale` becomes `value` and the window is resized to
/// (`width` × value, `height` × value), each truncated.
void applyWindowScale(float value, consoleWindow& window);

/// After the window was resized from outside (by a window manager) to `size` [Units: screen pixels]: the
/// largest whole percentage whose window fits inside that size and the screen becomes the scale and the
/// window is set back to its size, so that the picture keeps its proportions and clicks land on what is
/// drawn under them. A line in `log` names a new scale. A size the window has at the scale already (the
/// echo of a resize of its own) changes nothing.
void followWindowResize(sf::Vector2u size, consoleLog& log, consoleWindow& window);

/// Runs one command line (not empty, already echoed). Replies go to `console`'s log; conversion errors
/// also to `out`. "gen" and "load" close `window`, and the next run builds the world they asked for.
/// `controller` may be null, as for a console without a game.
void runConsoleCommand(const std::string& line, consoleView& console, gameController* controller,
                       consoleWindow& window, std::ostream& out = std::cout);
