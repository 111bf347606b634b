#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/System/Vector2.hpp>
#include <optional>
#include <vector>

/// Sizes of the world map picture, its camera and its locator, derived from the world's size in cells
/// and the window's size in pixels. Map pixels: 5 per cell, one copy of the map from x = 0 to
/// `mapWidth`, the second from `mapWidth` to twice that. Window pixels: the locator and its scroll edges.
/// For the default 360 × 130 world in a 1920 × 1080 window: a 1800 × 650 map, caps 125 high, the camera
/// centred on (900, 325), the locator starting at x = 906.67 over column 17.
struct mapLayout {
    static constexpr int PIXELS_PER_CELL = 5;
    /// One grid (10 cells) in map pixels: the camera's scroll step.
    static constexpr int GRID_PIXELS = 10 * PIXELS_PER_CELL;

    int mapWidth;
    int mapHeight;
    /// Height of each ice-cap picture in map pixels.
    int capHeight;
    /// Horizontal scale that lays a cap picture over exactly one copy of the map.
    float capScaleX;
    /// Window pixels per map pixel, truncated (0 for windows narrower than the map).
    int screenMultiple;
    /// Window pixels per world cell on the map, and the locator's step per cell.
    float cellPixels;
    /// The map's height in window pixels.
    float mapPixelHeight;
    sf::Vector2f cameraCentre;
    sf::Vector2f cameraSize;
    /// The camera's centre x stays within [cameraMinX, cameraMaxX], where the two copies make one picture.
    float cameraMinX;
    float cameraMaxX;
    /// The locator's x stays within [leftScrollEdge, rightScrollEdge]; beyond them the map scrolls.
    float leftScrollEdge;
    float rightScrollEdge;
};

/// The layout of a world of `cellsAcross` × `cellsDown` cells shown in a window of the given size.
/// `capPictureWidth` and `capPictureHeight` are the ice-cap pictures' size in map pixels.
mapLayout computeMapLayout(int cellsAcross, int cellsDown, int windowWidth, int windowHeight,
                           int capPictureWidth, int capPictureHeight);

/// The locator's top-left corner in window pixels for the selected grid column `gridX`, on the top row, with
/// the camera where it starts: over column gridX − 1, the one the grid views show in their middle.
sf::Vector2f locatorStart(const mapLayout& layout, int gridX, int windowHeight);

/// The picture split into side-by-side strips no wider than `maxStripWidth` pixels, left to right: a wide
/// world's map picture can exceed the largest texture the graphics card takes.
std::vector<sf::IntRect> pictureStrips(int pictureWidth, int pictureHeight, int maxStripWidth);

/// The world point under window pixel (mouseX, mouseY) while the world map fills the window through
/// `camera`: grid units, x in the +1.0 convention of the cursor and inside the world's `columns`; nothing
/// over the ice caps. `windowScale` turns window pixels into the window's `windowWidth` × `windowHeight`
/// units.
std::optional<sf::Vector2f> mapPointUnderMouse(const sf::View& camera, int mouseX, int mouseY,
                                               float windowScale, int windowWidth, int windowHeight,
                                               int columns, int rows);
