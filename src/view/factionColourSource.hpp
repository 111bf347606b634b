#pragma once

#include <SFML/Graphics/Color.hpp>
#include <functional>

class Faction;

/// Gives every faction the colour it is shown in: its marks on the map, its lines in the charts.
using factionColourSource = std::function<sf::Color(const Faction&)>;
