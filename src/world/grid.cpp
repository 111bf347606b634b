#include "world/grid.hpp"

#include "world/diamondSquare.hpp"
#include "world/terrainImage.hpp"

namespace {
constexpr int CELLS_PER_SOURCE_CELL = 60;
constexpr int SUBGRID_CELLS_PER_SOURCE_CELL = 10;
} // namespace

grid::grid() : data(size, size) {}

void grid::gridFromCorners(int gx, int gy, const heightField& source, bool fromParentGrid) {
    data.fill(UNSET_HEIGHT);
    if (fromParentGrid) {
        // Every parent cell of the subgrid's square becomes a lattice cell, 10 apart.
        for (int x = 0; x <= CELLS_PER_SOURCE_CELL; ++x) {
            for (int y = 0; y <= CELLS_PER_SOURCE_CELL; ++y) {
                data(SUBGRID_CELLS_PER_SOURCE_CELL * x, SUBGRID_CELLS_PER_SOURCE_CELL * y) =
                    source(CELLS_PER_SOURCE_CELL * gx + x, CELLS_PER_SOURCE_CELL * gy + y);
            }
        }
        return;
    }
    const int mapWidth = source.columns() - 1;
    for (int i = 0; i <= 10; ++i) {
        int sourceX = 10 * gx + i;
        // The map's wrap column has not followed the land-share tuning, so the east edge of the last grid
        // column is taken from column 0, where the first grid column starts.
        if (i == 10 && sourceX == mapWidth) {
            sourceX = 0;
        }
        for (int j = 0; j <= 10; ++j) {
            data(CELLS_PER_SOURCE_CELL * i, CELLS_PER_SOURCE_CELL * j) = source(sourceX, 10 * gy + j);
        }
    }
}

void grid::refine() {
    diamondSquareMain(size - 1, size - 1, data, 5, 10, 10, (size - 1) / 10);
}

sf::Image grid::gen() {
    refine();
    return writeToImage(data, size - 1, size - 1, 1, false);
}
