#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/View.hpp>
#include <memory>
#include <vector>

class Faction;
class factionColours;
class placeableObject;
namespace sf {
class RenderTarget;
}

/// A city's or unit's mark on the world map.
struct mapMark {
    /// [Units: window units]
    sf::Vector2f centre;
    sf::Color colour;
    bool city;
    bool selected;
};

/// The marks of every object in play of `factions` on the world map of a world `columns` grids round, drawn
/// through `camera` into the window area `area` (window units): each where the map shows its position, on
/// each copy of the map that the area shows it on, in the colour of its faction; the selected object's last.
[[nodiscard]] std::vector<mapMark> mapMarks(const std::vector<std::unique_ptr<Faction>>& factions,
                                            const factionColours& colours, const placeableObject* selected,
                                            const sf::View& camera, const sf::FloatRect& area, int columns);

/// Draws the marks with the target's current view, `side` units across: a city a square, a unit a
/// diamond, each outlined in black, the selected one in the selection's cyan.
void drawMapMarks(sf::RenderTarget& target, const std::vector<mapMark>& marks, float side);
