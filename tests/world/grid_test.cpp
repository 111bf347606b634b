#include "world/grid.hpp"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

/// A field holding 1000 x + y in cell (x, y), so every cell tells where it came from.
heightField numberedField(int columns, int rows) {
    heightField field(columns, rows);
    for (int x = 0; x < columns; ++x) {
        for (int y = 0; y < rows; ++y) {
            field(x, y) = 1000 * x + y;
        }
    }
    return field;
}

void refineFrom(grid& terrain, int gx, int gy, const heightField& map) {
    terrain.gridFromCorners(gx, gy, map, false);
    terrain.refine();
}

} // namespace

TEST(Grid, LatticeComesFromTheCoarserField) {
    // A 30 × 20 map: 31 × 21 cells with the wrap column and the bottom row, 3 × 2 grids.
    const heightField map = numberedField(31, 21);
    grid terrain;
    {
        SCOPED_TRACE("grid (1, 0): map cells sit 60 cells apart");
        terrain.gridFromCorners(1, 0, map, false);
        for (int i = 0; i <= 10; ++i) {
            for (int j = 0; j <= 10; ++j) {
                ASSERT_EQ(terrain.data(60 * i, 60 * j), map(10 + i, j)) << i << ", " << j;
            }
        }
    }
    {
        SCOPED_TRACE("grid (2, 1) in the last column takes its right edge from map column 0");
        terrain.gridFromCorners(2, 1, map, false);
        for (int j = 0; j <= 10; ++j) {
            EXPECT_EQ(terrain.data(600, 60 * j), map(0, 10 + j)) << "row " << j;
        }
    }
    {
        SCOPED_TRACE("subgrid (3, 9): parent cells sit 10 cells apart, the cells between are unset");
        const heightField parent = numberedField(601, 601);
        terrain.gridFromCorners(3, 9, parent, true);
        for (int x = 0; x <= 60; ++x) {
            for (int y = 0; y <= 60; ++y) {
                ASSERT_EQ(terrain.data(10 * x, 10 * y), parent(180 + x, 540 + y)) << x << ", " << y;
            }
        }
        EXPECT_EQ(terrain.data(5, 0), UNSET_HEIGHT);
    }
}

TEST(Grid, RefinedNeighboursShareTheirEdges) {
    const heightField map = numberedField(31, 21);
    grid first, centre, last, below;
    refineFrom(first, 0, 0, map);
    refineFrom(centre, 1, 0, map);
    refineFrom(last, 2, 0, map);
    refineFrom(below, 1, 1, map);

    EXPECT_EQ(std::count(centre.data.data(), centre.data.data() + centre.data.size(), UNSET_HEIGHT), 0);
    for (int k = 0; k <= 600; ++k) {
        ASSERT_EQ(centre.data(600, k), last.data(0, k)) << "east edge, row " << k;
        ASSERT_EQ(centre.data(k, 600), below.data(k, 0)) << "south edge, column " << k;
        ASSERT_EQ(last.data(600, k), first.data(0, k)) << "wrap edge, row " << k;
    }
}
