#pragma once

#include "world/heightField.hpp"

#include <iostream>

/// Number of lattice squares (cell grids) across and down the world: worldWidth / 10, worldHeight / 10.
int numHorizontalGrids();
int numVerticalGrids();

/// The world's height map: one height per map cell, wrapping from east to west. Built on the main thread
/// from the seeded random source, then read-only, so any number of threads may read `data`.
/// Expects a width and height that are multiples of 10 and a height of at least 65 (the strips of
/// tuneEdges); the configuration loader enforces this.
class worldMap {
  public:
    /// Takes its size from worldWidth and worldHeight as they are now; heights are 0 until init().
    worldMap();

    /// Sets every cell to UNSET_HEIGHT.
    void init();
    /// Random walk over the lattice, wrap copy, interpolation. Prints the wrap-copy notice to `log`.
    void gen(std::ostream& log = std::cout);
    /// One step of the random walk from lattice cell (x, y), which hands on `height`.
    void setCorners(int x, int y, int height);
    /// Picks the walk's next lattice cell from (x, y) and carries on from there.
    void setCornersRecursive(int x, int y);
    void setCoordVariant(int x, int y, int base);
    bool aroundFilled(int x, int y) const;
    bool allCornersExist() const;
    bool edgesWater() const;
    /// Lowers the top and bottom strips until the first and last rows are under water.
    void tuneEdges();
    /// Land cells (height ≥ 1) of the map without its wrap column and bottom row.
    int landArea() const;
    void raiseHeight();
    void lowerHeight();
    /// Raises or lowers the map until land covers lArea percent within one point. Gives up after
    /// MAX_AREA_STEPS steps when that share cannot be reached, and says so on `log`.
    void setArea(std::ostream& log = std::cout);

    /// Land share in percent of the map's own cells (the same cells as landArea()).
    double landShare() const;

    static constexpr int MAX_AREA_STEPS = 2000;

    /// Map cells across and down (W and H); `data` holds one more column (the wrap) and one more row.
    int mapWidth;
    int mapHeight;
    /// Heights indexed [x][y], x = 0 … mapWidth, y = 0 … mapHeight.
    heightField data;

  private:
    /// Step of the walk at (x, y); false when (x, y) lies outside the walk's range and the walk stops.
    bool visit(int x, int y, int height);
    /// Draws the walk's direction from (x, y); false when the step leaves the lattice.
    bool nextWalkCell(int& x, int& y);
    void addToLandCells(int delta);
};
