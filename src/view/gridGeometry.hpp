#pragma once

#include <SFML/System/Vector2.hpp>
#include <optional>
#include <vector>

// Arithmetic of the grid view, apart from drawing: wrap, which grids to load or mark, where a world
// point lands on screen and which world point lies under the mouse. World points are in grid units.

/// Side of the block of grids drawn and loaded in view mode 1.
constexpr int GRID_SPAN = 9;

/// Offsets (dx, dy) from the centre grid of the neighbours whose cell pictures are wanted while the
/// screen centre is on cell (cellX, cellY) of the centre grid, in the order they are marked.
std::vector<sf::Vector2i> neighboursToMark(int cellX, int cellY);

struct gridToLoad {
    /// Position of the grid in the 81-grid scan (9 × column + row), shown as the loading progress.
    int scanIndex;
    int column;
    int row;
};

/// The grids of the block drawn in view mode 1 around the selection (gridX, gridY) that lie inside a
/// world of `columns` × `rows` grids, in scan order: block columns gridX − 5 … gridX + 3 (wrapped), and
/// inside each the rows gridY − 5 … gridY + 3.
std::vector<gridToLoad> gridLoadBlock(int gridX, int gridY, int columns, int rows);

/// What the grid view shows in one frame.
struct gridFrame {
    /// 0: one screen square per grid (view mode 1); 1: one per cell (view mode 2).
    int level;
    int gridX;
    int gridY;
    int offsetX;
    int offsetY;
    int squarePixels;
    int windowHeight;
    int columns;
};

/// Screen position (view units) at which the grid view draws world point (x, y), for example an
/// object's position or one of its waypoints (stored positions, no +1.0 offset); nothing when the
/// point lies outside the grids of the block drawn.
std::optional<sf::Vector2f> gridPointOnScreen(const gridFrame& frame, float x, float y);

/// How near the cursor an object must be to count as under it at the given level (0 or 1): half a cell
/// in the grid view, a twentieth of a cell in the cell view [Units: grid units].
float objectTolerance(int level);

/// The world point under the mouse at window pixel (mouseX, mouseY) for view mode `display` (1 or 2),
/// with (baseX, baseY) the point at the screen centre in the +1.0 convention of x; nothing for other
/// modes. `windowScale` turns window pixels back into view units.
std::optional<sf::Vector2f> worldPointUnderMouse(int display, int mouseX, int mouseY, int squarePixels,
                                                 float windowScale, float baseX, float baseY);

/// The selection and cell offsets that put world point (x, y) (a stored position, without the +1.0
/// offset) at the centre of the grid views: the point's grid is the centre grid (column gridX − 1, row
/// gridY) and, in view mode 2, its cell the centre cell.
struct gridCentre {
    int gridX;
    int gridY;
    int offsetX;
    int offsetY;
};
gridCentre centreOnPoint(float x, float y, int columns);
