#pragma once

#include "app/consoleLog.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>
#include <string>

class gameController;

/// The console panel at the window's top-left corner: the message log above, the command line below.
/// Starts with the world's seed and name and the key guide. Main thread only.
class consoleView : public consoleLog {
  public:
    explicit consoleView(gameController* gameControl);

    /// Draws the panel; the log shows through a clipping view over the panel's upper part, scrolled
    /// so that its last line stays in sight whenever it has grown since the last frame.
    void drawConsole();
    void setActive() { active = true; }
    bool isActive() const { return active; }

    sf::RectangleShape box;
    sf::RectangleShape separator;
    sf::Text inputText;
    sf::Text logText;
    sf::Text prompt;
    bool inputShown = false;
    int consoleWidth = 700;
    int consoleHeight = 300;
    std::string input;
    gameController* controller;
    bool active = false;

  private:
    /// Moves the log up just far enough for its bottom to sit 20 units above the panel's bottom.
    void keepLastLineInSight();

    unsigned long shownRevision;
};

/// The console's text at the start of a world: its seed and name, then the key guide.
std::string initialConsoleText();
