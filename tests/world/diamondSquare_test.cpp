#include "world/diamondSquare.hpp"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

/// A field of unset cells whose corners (0, 0), (size, 0), (size, size), (0, size) hold a, b, c, d.
heightField squareWithCorners(int size, int a, int b, int c, int d) {
    heightField field(size + 1, size + 1);
    field.fill(UNSET_HEIGHT);
    field(0, 0) = a;
    field(size, 0) = b;
    field(size, size) = c;
    field(0, size) = d;
    return field;
}

long unsetCells(const heightField& field) {
    return std::count(field.data(), field.data() + field.size(), UNSET_HEIGHT);
}

} // namespace

TEST(DiamondSquare, FillsATileFromItsCornersWithTruncatedMeans) {
    {
        SCOPED_TRACE("11 × 11 tile, corners 0, 100, 100, 0, depth 3");
        heightField field = squareWithCorners(10, 0, 100, 100, 0);
        diamondSquareMain(10, 10, field, 3, 1, 1, 10);
        EXPECT_EQ(unsetCells(field), 0);
        const int expectedTop[] = {0, 12, 25, 37, 43, 50, 62, 75, 87, 93, 100};
        for (int x = 0; x <= 10; ++x) {
            EXPECT_EQ(field(x, 0), expectedTop[x]) << "top edge, x " << x;
        }
    }
    {
        SCOPED_TRACE("negative sums are halved toward zero");
        heightField field = squareWithCorners(2, -3, 0, 0, -3);
        diamondSquareMain(2, 2, field, 0, 1, 1, 2);
        EXPECT_EQ(field(1, 0), -1);
    }
    {
        SCOPED_TRACE("a cell set beforehand keeps its value and feeds its neighbours");
        heightField field = squareWithCorners(10, 0, 100, 100, 0);
        field(5, 0) = 999;
        diamondSquareMain(10, 10, field, 3, 1, 1, 10);
        EXPECT_EQ(field(5, 0), 999);
        EXPECT_EQ(field(2, 0), 999 / 2);
    }
}

TEST(DiamondSquare, ZeroTilesMeansOneTilePerTenCells) {
    // maxX 360 makes 36 tile columns; with fewer the cells beyond the last tile would stay unset.
    heightField field(361, 11);
    field.fill(UNSET_HEIGHT);
    for (int x = 0; x <= 360; x += 10) {
        field(x, 0) = field(x, 10) = x;
    }
    diamondSquareMain(360, 10, field, 3, 0, 0, 10);
    EXPECT_EQ(unsetCells(field), 0);
    EXPECT_EQ(field(355, 0), 355);
}
