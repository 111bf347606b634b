#include "world/grid.hpp"

#include <algorithm>
#include <gtest/gtest.h>

namespace {
/// A field holding 1000 x + y in cell (x, y), so every cell tells where it came from.
heightField numberedField(int columns, int rows) {
    heightField field(columns, rows);
    for (int i = 0; i < columns * rows; ++i) {
        field(i / rows, i % rows) = 1000 * (i / rows) + i % rows;
    }
    return field;
}
} // namespace

TEST(Grid, TheLatticeComesFromTheCoarserFieldAndNeighboursShareTheirEdges) {
    const heightField map =
        numberedField(31, 21); // a 30 × 20 map with its wrap column and bottom row: 3 × 2 grids
    const heightField parent = numberedField(601, 601);
    grid first, centre, last, below, subgrid;
    first.gridFromCorners(0, 0, map, false);
    centre.gridFromCorners(1, 0, map, false);
    last.gridFromCorners(2, 0, map, false);
    below.gridFromCorners(1, 1, map, false);
    subgrid.gridFromCorners(3, 9, parent, true);
    for (int k = 0; k <= 600; ++k) {
        if (k % 60 == 0) {
            for (int j = 0; j <= 600; j += 60) {
                ASSERT_EQ(centre.data(k, j), map(10 + k / 60, j / 60)) << "map cells sit 60 grid cells apart";
            }
            ASSERT_EQ(last.data(600, k), map(0, k / 60))
                << "the last grid column takes its east edge from map column 0";
        }
        if (k % 10 == 0) {
            for (int j = 0; j <= 600; j += 10) {
                ASSERT_EQ(subgrid.data(k, j), parent(180 + k / 10, 540 + j / 10))
                    << "a subgrid's parent cells sit 10 apart";
            }
        }
    }
    EXPECT_EQ(subgrid.data(5, 0), UNSET_HEIGHT);
    for (grid* each : {&first, &centre, &last, &below}) {
        each->refine();
    }
    EXPECT_EQ(std::count(centre.data.data(), centre.data.data() + centre.data.size(), UNSET_HEIGHT), 0);
    for (int k = 0; k <= 600; ++k) {
        ASSERT_EQ(std::make_tuple(centre.data(600, k), centre.data(k, 600), last.data(600, k)),
                  std::make_tuple(last.data(0, k), below.data(k, 0), first.data(0, k)))
            << "east, south and wrap edges at " << k;
    }
}
