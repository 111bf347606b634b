#pragma once

#include "world/heightField.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Image.hpp>
#include <cstdint>
#include <string>
#include <vector>

// Program-wide colours; read-only, so any thread may use them once static initialisation is over.
extern const sf::Color GREY;
extern const sf::Color GREY_BROWN;
extern const sf::Color FOREST_GREEN;
extern const sf::Color GRASSLAND_GREEN;
extern const sf::Color SAND;
extern const sf::Color DARK_BLUE;
extern const sf::Color LIGHT_GREEN;
extern const sf::Color GREY_WITH_ALPHA;
extern const sf::Color YELLOW_WITH_ALPHA;
/// Marks the selected object in the grid views: a colour no terrain, object or waypoint is drawn in.
extern const sf::Color SELECTION_COLOUR;

/// Colour of height `h` in terrain pictures: black for an unset cell, then by altitude band.
sf::Color terrainColour(std::int32_t h);
/// Colour of height `h` in ice-cap pictures: ice, slope or open water.
sf::Color iceCapColour(std::int32_t h);

/// Draws cells x = 0 … width − 1, y = 0 … height − 1 of `field`, each as a pixelScale × pixelScale block.
/// The image is (width × pixelScale) × (height × pixelScale) pixels.
sf::Image writeToImage(const heightField& field, unsigned width, unsigned height, unsigned pixelScale,
                       bool iceCapMode);

/// The terrain colours of cells x = 0 … width − 1, y = 0 … height − 1, one pixel per cell, as packed
/// RGB rows (3 bytes a pixel, no padding); the same colours as writeToImage in terrain mode.
void writeTerrainRgb(const heightField& field, unsigned width, unsigned height,
                     std::vector<std::uint8_t>& rgb);

/// True when the map cell lies strictly between sea level and the mountain tops (a placeable cell).
bool aboveWaterAndBelowMountiantop(int x, int y, const heightField& field);

// Picture files of a world. `worldPath` is the world's directory, for example "worlds/world7".
std::string imageDirectoryPath(const std::string& worldPath);
/// File name of grid (gx, gy) inside the image directory: "gx_gy.jpg".
std::string gridImageName(int gx, int gy);
std::string gridImagePath(const std::string& worldPath, int gx, int gy);
std::string subgridDirectoryPath(const std::string& worldPath, int gx, int gy);
std::string subgridImagePath(const std::string& worldPath, int gx, int gy, int sx, int sy);
