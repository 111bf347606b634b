#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>
#include <memory>
#include <string>
#include <vector>

class Faction;
class gameOutcome;

/// The panel over the map that says the human's game has ended: lost or won, after how many days, the
/// largest faction now, and how to watch on or start anew. Shown from the tick the game ends (again in a
/// loaded game that had ended) until it is clicked; the game goes on beneath it. Main thread only.
class gameOverPanel {
  public:
    gameOverPanel();

    /// Shown while `outcome` has ended and the panel has not been dismissed, describing `factions` as they
    /// are now (`human` the human's, may be null). Needs the font, not the window.
    void update(const gameOutcome& outcome, const std::vector<std::unique_ptr<Faction>>& factions,
                const Faction* human);
    /// Draws the panel in the window's default view while it is shown, as wide as its longest line.
    void display();
    /// Hides the panel for the rest of the run.
    void dismiss() { dismissed = true; }
    bool shown() const { return ended && !dismissed; }
    /// The panel's area, outline included, while it is shown; empty otherwise [Units: window units].
    sf::FloatRect area() const;

    sf::RectangleShape box;
    sf::Text title;
    sf::Text text;

  private:
    /// Sizes and places the panel for lines `textWidth` units wide.
    void layOut(float textWidth);

    bool ended = false;
    bool dismissed = false;
};

/// The panel's lines under its title, for a game that has ended.
std::string gameOverText(const gameOutcome& outcome, const std::vector<std::unique_ptr<Faction>>& factions,
                         const Faction* human);
