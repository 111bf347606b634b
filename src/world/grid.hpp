#pragma once

#include "world/heightField.hpp"

#include <SFML/Graphics/Image.hpp>

/// One refined 10 × 10 block of map cells (a cell grid), or one refined cell of a cell grid (a subgrid):
/// 601 × 601 heights, 60 per coarser cell. Lives on the thread that builds it.
class grid {
  public:
    static constexpr int size = 601;
    /// The pathing graph's 100 × 100 nodes of a cell grid sample every sixth of its cells.
    static constexpr int cellsPerNode = 6;

    grid();
    grid(const grid&) = delete;
    grid& operator=(const grid&) = delete;

    /// Sets the grid's lattice from a coarser field and leaves every other cell unset.
    /// From the world map (`fromParentGrid` false): `source` is the map's field (map width + 1 columns),
    /// (gx, gy) the cell grid; the last grid column takes its right edge from map column 0.
    /// From a cell grid (`fromParentGrid` true): `source` is that grid's field, (gx, gy) = subgrid 0 … 9.
    void gridFromCorners(int gx, int gy, const heightField& source, bool fromParentGrid);
    /// Interpolates the cells between the lattice. Callers that need only the heights call this rather
    /// than gen(), which also colours a picture.
    void refine();
    /// Interpolates, then returns the 600 × 600 terrain picture (row and column 600 are not drawn).
    sf::Image gen();

    heightField data;
};
