#include "view/gridGeometry.hpp"

#include "path/pathGeometry.hpp"

#include <algorithm>
#include <cmath>

namespace {
constexpr int CELLS_PER_GRID = 10;
/// Screen square of the centre grid in the 9 × 9 block: column 4, row 5.
constexpr int BLOCK_CENTRE_COLUMN = 4;
constexpr int BLOCK_CENTRE_ROW = 5;
/// Screen square, counted from the window's top-left one, under which the centre's point lies.
constexpr float MOUSE_CENTRE_COLUMN = 4.0f;
constexpr float MOUSE_CENTRE_ROW = 2.0f;

float fraction(float value) {
    return value - std::trunc(value);
}
} // namespace

std::vector<sf::Vector2i> neighboursToMark(int cellX, int cellY) {
    const bool top = cellY <= 2;
    const bool right = cellX >= 6;
    const bool bottom = cellY >= 8;
    const bool left = cellX <= 3;
    std::vector<sf::Vector2i> marked;
    const auto markIf = [&](bool condition, int dx, int dy) {
        if (condition) {
            marked.emplace_back(dx, dy);
        }
    };
    markIf(top, 0, -1);
    markIf(right, 1, 0);
    markIf(bottom, 0, 1);
    markIf(left, -1, 0);
    markIf(right && top, 1, -1);
    markIf(right && bottom, 1, 1);
    markIf(left && top, -1, -1);
    markIf(left && bottom, -1, 1);
    return marked;
}

std::vector<gridToLoad> gridLoadBlock(int gridX, int gridY, int columns, int rows) {
    std::vector<gridToLoad> block;
    for (int i = 0; i < GRID_SPAN; ++i) {
        const int column = wrapColumn(gridX - BLOCK_CENTRE_COLUMN - 1 + i, columns);
        for (int j = 0; j < GRID_SPAN; ++j) {
            const int row = gridY - BLOCK_CENTRE_ROW + j;
            if (row >= 0 && row < rows) {
                block.push_back({GRID_SPAN * i + j, column, row});
            }
        }
    }
    return block;
}

std::optional<sf::Vector2f> gridPointOnScreen(const gridFrame& frame, float x, float y) {
    // A unit that crossed the seam keeps an x outside the world; it stands on the wrapped column.
    x = wrapAcross(x, frame.columns);
    const int column = static_cast<int>(x);
    const int row = static_cast<int>(y);
    const float square = static_cast<float>(frame.squarePixels);
    // The top of the block's first row sits half a square above the window's centre line, less half a window.
    const float top = static_cast<float>(-(frame.windowHeight / 2) - frame.squarePixels / 2);
    if (frame.level == 0) {
        const int j = row - (frame.gridY - BLOCK_CENTRE_ROW);
        if (j < 0 || j >= GRID_SPAN) {
            return std::nullopt;
        }
        for (int i = 0; i < GRID_SPAN; ++i) {
            if (wrapColumn(frame.gridX - BLOCK_CENTRE_COLUMN - 1 + i, frame.columns) == column) {
                return sf::Vector2f((static_cast<float>(i) + fraction(x)) * square,
                                    (static_cast<float>(j) + fraction(y)) * square + top);
            }
        }
        return std::nullopt;
    }
    const int dy = row - frame.gridY;
    if (dy < -1 || dy > 1) {
        return std::nullopt;
    }
    for (int dx = -1; dx <= 1; ++dx) {
        if (wrapColumn(frame.gridX - 1 + dx, frame.columns) == column) {
            const float cells = static_cast<float>(CELLS_PER_GRID);
            return sf::Vector2f(cells * square * static_cast<float>(dx) +
                                    (fraction(x) * cells + static_cast<float>(frame.offsetX)) * square,
                                (fraction(y) * cells + static_cast<float>(frame.offsetY)) * square +
                                    cells * square * static_cast<float>(dy) + top);
        }
    }
    return std::nullopt;
}

float objectTolerance(int level) {
    return level == 0 ? 0.05f : 0.005f;
}

std::optional<sf::Vector2f> worldPointUnderMouse(int display, int mouseX, int mouseY, int squarePixels,
                                                 float windowScale, float baseX, float baseY) {
    if (display != 1 && display != 2) {
        return std::nullopt;
    }
    const float square = static_cast<float>(squarePixels) * windowScale;
    const float across = static_cast<float>(mouseX) / square - MOUSE_CENTRE_COLUMN;
    const float down = static_cast<float>(mouseY) / square - MOUSE_CENTRE_ROW;
    if (display == 1) {
        return sf::Vector2f(baseX + across, baseY + down);
    }
    return sf::Vector2f(baseX + across / CELLS_PER_GRID, baseY + down / CELLS_PER_GRID);
}

gridCentre centreOnPoint(float x, float y, int columns) {
    const float column = std::floor(x);
    const float row = std::floor(y);
    const auto cellOf = [](float fraction) { return std::clamp(static_cast<int>(fraction * 10.0f), 0, 9); };
    // The centre cell is (4 − offsetX, 5 − offsetY), as the centre grid's square is in view mode 1.
    return {wrapColumn(static_cast<int>(column) + 1, columns), static_cast<int>(row),
            BLOCK_CENTRE_COLUMN - cellOf(x - column), BLOCK_CENTRE_ROW - cellOf(y - row)};
}
