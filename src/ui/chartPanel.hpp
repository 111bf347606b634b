#pragma once

#include "sim/factionStatistics.hpp"
#include "ui/chartLayout.hpp"
#include "view/factionColourSource.hpp"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <cstddef>
#include <memory>
#include <vector>

class Faction;
namespace sf {
class RenderTarget;
}

/// The panel over the map that charts one statistic of the factions against game days: the player's faction
/// emphasised in its colour, the five largest in theirs, a legend, labelled axes, buttons that choose the
/// statistic, and the faction, day and value of the line under the mouse. Hidden at start. Laid out in
/// unscaled window units. Main thread only.
class chartPanel {
  public:
    /// `colourOf` gives the colour of each faction's line.
    explicit chartPanel(factionColourSource colourOf);

    void toggle() { visible = !visible; }
    /// Charts `kind` from now on.
    void show(statistic kind) { shown = kind; }
    statistic shownStatistic() const { return shown; }
    /// The whole panel, outline included.
    sf::FloatRect area() const;
    /// Where the button that chooses `kind` lies.
    sf::FloatRect buttonArea(statistic kind) const;
    /// A click at (x, y), inside the panel: the button under it chooses its statistic; elsewhere nothing.
    void click(float x, float y);
    /// Draws the chart of the shown statistic from `statistics`, drawn anew when they or the statistic have
    /// changed, with the line under `mouse` described. `human` is the player's faction's place in `factions`.
    void draw(sf::RenderTarget& target, const factionStatistics& statistics,
              const std::vector<std::unique_ptr<Faction>>& factions, std::size_t human, sf::Vector2f mouse);

    bool visible = false;

  private:
    /// Builds the lines, axes, labels and legend of the shown statistic.
    void build(const factionStatistics& statistics, const std::vector<std::unique_ptr<Faction>>& factions,
               std::size_t human);
    sf::Text label(const std::string& text, sf::Vector2f at, unsigned size = 20) const;

    factionColourSource colourOf;
    statistic shown = statistic::people;
    sf::RectangleShape background;
    /// What build made, and for which statistics and statistic.
    std::vector<std::size_t> charted;
    chartFrame frame{};
    sf::VertexArray shapes{sf::Triangles};
    std::vector<sf::Text> texts;
    unsigned long builtRevision = 0;
    bool built = false;
    statistic builtFor = statistic::people;
    std::size_t builtHuman = 0;
};
