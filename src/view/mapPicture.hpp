#pragma once

#include "view/factionColourSource.hpp"

#include <SFML/System/Vector2.hpp>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

class Faction;
class iceCap;
class worldMap;

// map.png: the whole world at 5 pixels a map cell, the north cap above it and the south cap below, with every
// city and unit marked in its faction's colour. Written row by row: no copy of the picture is ever held.

/// A city or unit on the picture: its centre pixel and its faction's colour.
struct mapMark {
    int x;
    int y;
    bool city;
    sf::Color colour;
};

/// Half the side of a mark: a city is a square, a unit a diamond, each outlined in black [Units: pixels].
constexpr int MAP_MARK_RADIUS = 4;

/// Width and height of the picture of `map` in pixels: the map at 5 pixels a cell and the two caps.
[[nodiscard]] sf::Vector2u mapPictureSize(const worldMap& map);

/// A mark for every object in play of every faction, coloured by `colourOf`.
[[nodiscard]] std::vector<mapMark> mapMarksOf(const std::vector<std::unique_ptr<Faction>>& factions,
                                              const factionColourSource& colourOf);

/// Writes the picture as a PNG to `out`. Throws std::runtime_error when it cannot be written.
void writeMapPicture(std::ostream& out, const worldMap& map, const iceCap& north, const iceCap& south,
                     std::vector<mapMark> marks);

/// Writes the picture to `path` through a temporary file and returns the file's size in bytes. Throws
/// std::runtime_error naming the path and the reason; a file at `path` is then left as it was.
std::uintmax_t saveMapPicture(const std::string& path, const worldMap& map, const iceCap& north,
                              const iceCap& south, std::vector<mapMark> marks);
