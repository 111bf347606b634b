#pragma once

#include "app/configText.hpp"

#include <iostream>
#include <string>

class consoleView;
class gameController;

/// What the console's commands do to the game window: close it (to build another world) and resize it.
class consoleWindow {
  public:
    virtual ~consoleWindow() = default;
    virtual void close() = 0;
    /// [Units: screen pixels]
    virtual void setSize(unsigned widthPixels, unsigned heightPixels) = 0;
};

/// The window of the current run; its operations do nothing while no window is open.
consoleWindow& currentGameWindow();

/// The reply to "help": three lines, no line break at the end.
extern const char* const CONSOLE_HELP;

/// Smallest and largest window scale the "scale" command takes, the range config.xml allows.
constexpr float MIN_WINDOW_SCALE = MIN_SCALE_PERCENTAGE / 100.0f;
constexpr float MAX_WINDOW_SCALE = MAX_SCALE_PERCENTAGE / 100.0f;

/// What "scale" does with a valid value: the global `scale` becomes `value` and the window is resized to
/// (`width` × value, `height` × value), each truncated.
void applyWindowScale(float value, consoleWindow& window);

/// Runs one command line (not empty, already echoed). Replies go to `console`'s log; conversion errors
/// also to `out`. "gen" and "load" close `window`, and the next run builds the world they asked for.
/// `controller` may be null, as for a console without a game.
void runConsoleCommand(const std::string& line, consoleView& console, gameController* controller,
                       consoleWindow& window, std::ostream& out = std::cout);
