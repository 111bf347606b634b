#pragma once

#include "app/consoleLog.hpp"
#include "ui/textWrap.hpp"
#include "ui/wrappedLog.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>
#include <cstddef>
#include <string>
#include <vector>

class autosaves;
class consoleWindow;
class gameController;

/// The console panel at the window's top-left corner: the message log above, the command line below.
/// Starts with the world's seed and name and the key guide. Main thread only.
///
/// Lines longer than the panel is wide wrap into rows. Only the rows that can show are laid out, so a frame
/// costs the same however long the log.
class consoleView : public consoleLog {
  public:
    /// `gameControl` may be null (a console without a game); commands act on `currentGameWindow()`.
    /// `measure` gives the widths of the glyphs that rows and the command line are fitted with: by default
    /// the font's, which need a display.
    explicit consoleView(gameController* gameControl, glyphWidth measure = {});

    /// Draws the panel; the log shows through a clipping view over the panel's upper part.
    void drawConsole();
    /// Brings the log's layout up to date: when it has changed since the last layout, wraps what is new and
    /// scrolls it up just far enough for its last row to end 35 units above the panel's bottom (5 above the
    /// command line); then picks the rows that show.
    /// Needs the glyphs' widths and the font's line spacing, not the window.
    void layoutLog();
    /// Appends the help text, four lines without a line break at the end.
    void appendHelp();
    /// Empties the log and puts its first line back at the top.
    void clearLog() override;
    /// Moves the log up or down by one row; no bounds.
    void scrollUp();
    void scrollDown();
    void setActive() { active = true; }
    bool isActive() const { return active; }
    /// One typed character, a Unicode code point: backspace (8) deletes the last character (all its bytes),
    /// carriage return (13) runs the line, other control characters are ignored, anything else is typed into
    /// the line in UTF-8. A line wider than its box shows its end.
    void handleConsoleInput(char32_t c);
    /// Brings back an earlier command line of this run (`step` −1) or a later one (+1); past the last
    /// one comes the line that was being typed.
    void recallHistory(int step);
    /// Where the log's first line stands [Units: window units from the panel's top].
    float logPosition() const { return logTop; }

    sf::RectangleShape box;
    sf::RectangleShape separator;
    /// The line being typed, moved left by as much as it is wider than its box; drawn clipped to the box.
    sf::Text inputText;
    /// The rows of the log that can show, placed where they stand in the whole log; the rows of alert lines
    /// are left blank here and drawn by alertText, in their own colour, at the same place.
    sf::Text logText;
    sf::Text alertText;
    sf::Text prompt;
    bool inputShown = false;
    int consoleWidth = 700;
    int consoleHeight = 300;
    std::string input;
    gameController* controller;
    bool active = false;
    /// What the commands close and resize.
    consoleWindow* window;
    /// The run's autosaves, through which saves lists the world's saves and continue chooses one; null
    /// without a world.
    autosaves* saves = nullptr;
    /// The command lines run in this console, oldest first.
    std::vector<std::string> history;

  private:
    /// Runs `input` as a command line and closes the command line.
    void executeLine();
    float lineSpacing() const;
    /// Shows `input` in its box.
    void placeInput();

    glyphWidth measure;
    wrappedLog rows;
    float logTop;
    unsigned long laidOutRevision;
    std::size_t shownFirst = 0;
    std::size_t shownEnd = 0;
    /// Index into `history` of the line shown; history.size() for the line being typed (`draft`).
    std::size_t historyPosition = 0;
    std::string draft;
};

/// The console's text at the start of a world: its seed and name, then the key guide.
std::string initialConsoleText();
