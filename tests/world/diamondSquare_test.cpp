#include "world/diamondSquare.hpp"

#include <gtest/gtest.h>
#include <vector>

namespace {

heightField unsetField(int columns, int rows) {
    heightField field(columns, rows);
    field.fill(UNSET_HEIGHT);
    return field;
}

int unsetCells(const heightField& field, int columns, int rows) {
    int count = 0;
    for (int x = 0; x < columns; ++x) {
        for (int y = 0; y < rows; ++y) {
            count += field(x, y) == UNSET_HEIGHT ? 1 : 0;
        }
    }
    return count;
}

heightField elevenByElevenTile() {
    heightField field = unsetField(11, 11);
    field(0, 0) = 0;
    field(10, 0) = 100;
    field(10, 10) = 100;
    field(0, 10) = 0;
    return field;
}

} // namespace

TEST(DiamondSquare, OneTileOfTenFillsEveryCellWithTheKnownTopEdge) {
    heightField field = elevenByElevenTile();
    diamondSquareMain(10, 10, field, 3, 1, 1, 10);

    EXPECT_EQ(unsetCells(field, 11, 11), 0);
    const std::vector<int> expectedTop = {0, 12, 25, 37, 43, 50, 62, 75, 87, 93, 100};
    std::vector<int> top;
    for (int x = 0; x <= 10; ++x) {
        top.push_back(field(x, 0));
    }
    EXPECT_EQ(top, expectedTop);
    // The bottom edge runs between the same heights, and the left edge between two zeros.
    EXPECT_EQ(field(5, 10), 50);
    EXPECT_EQ(field(0, 5), 0);
    EXPECT_EQ(field(10, 5), 100);
    EXPECT_EQ(field(5, 5), 50);
}

TEST(DiamondSquare, NegativeSumsAreHalvedTowardZero) {
    heightField field = unsetField(3, 3);
    field(0, 0) = -3;
    field(2, 0) = 0;
    field(2, 2) = 0;
    field(0, 2) = -3;
    diamondSquareMain(2, 2, field, 0, 1, 1, 2);

    EXPECT_EQ(field(1, 0), -1);
    EXPECT_EQ(field(1, 2), -1);
    EXPECT_EQ(field(0, 1), -3);
    EXPECT_EQ(field(2, 1), 0);
    // (−1 + −1) / 2 = −1 and (−3 + 0) / 2 = −1, then (−1 + −1) / 2 = −1.
    EXPECT_EQ(field(1, 1), -1);
}

TEST(DiamondSquare, HelperSubdividesOneQuadrilateral) {
    heightField field = unsetField(3, 3);
    field(0, 0) = -3;
    field(2, 0) = 0;
    field(2, 2) = 0;
    field(0, 2) = -3;
    diamondSquareHelper(0, 0, 2, 0, 2, 2, 0, 2, 0, 1, 2, 2, field);

    EXPECT_EQ(field(1, 0), -1);
    EXPECT_EQ(unsetCells(field, 3, 3), 0);
}

TEST(DiamondSquare, HelperBelowItsDepthWritesNothing) {
    heightField field = elevenByElevenTile();
    diamondSquareHelper(0, 0, 10, 0, 10, 10, 0, 10, 4, 3, 10, 10, field);
    EXPECT_EQ(unsetCells(field, 11, 11), 11 * 11 - 4);
}

TEST(DiamondSquare, CellSetBeforehandKeepsItsValueAndFeedsItsNeighbours) {
    heightField field = elevenByElevenTile();
    field(5, 0) = 999;
    diamondSquareMain(10, 10, field, 3, 1, 1, 10);

    EXPECT_EQ(field(5, 0), 999);
    EXPECT_EQ(field(2, 0), (0 + 999) / 2);
    EXPECT_EQ(field(7, 0), (999 + 100) / 2);
    EXPECT_EQ(unsetCells(field, 11, 11), 0);
}

TEST(DiamondSquare, WritesStayWithinTheGivenBounds) {
    heightField field = elevenByElevenTile();
    diamondSquareMain(5, 10, field, 3, 1, 1, 10);

    EXPECT_EQ(field(5, 0), 50);
    EXPECT_EQ(field(6, 0), UNSET_HEIGHT);
    EXPECT_EQ(field(10, 5), UNSET_HEIGHT);
}

TEST(DiamondSquare, ZeroTilesMeansOneTilePerTenCells) {
    // 36 tiles of 10 across, one down: every column of the 361 gets heights.
    heightField field = unsetField(361, 11);
    for (int x = 0; x <= 360; x += 10) {
        field(x, 0) = x;
        field(x, 10) = -x;
    }
    diamondSquareMain(360, 10, field, 3, 0, 0, 10);

    EXPECT_EQ(unsetCells(field, 361, 11), 0);
    EXPECT_EQ(field(355, 0), 355);
    EXPECT_EQ(field(355, 10), -355);
}

TEST(DiamondSquare, CellsBeyondTheLastWholeTileStayUnset) {
    // 365 columns make 36 whole tiles; columns 361 … 365 lie outside them.
    heightField field = unsetField(366, 11);
    for (int x = 0; x <= 360; x += 10) {
        field(x, 0) = 0;
        field(x, 10) = 0;
    }
    diamondSquareMain(365, 10, field, 3, 0, 0, 10);

    EXPECT_EQ(unsetCells(field, 361, 11), 0);
    EXPECT_EQ(unsetCells(field, 366, 11), 5 * 11);
}

TEST(DiamondSquare, IceCapTilesFillTheirRowsThoughTheBoundIsLarger) {
    heightField field = unsetField(361, 26);
    for (int x = 0; x <= 360; x += 5) {
        for (int y = 0; y <= 25; y += 5) {
            field(x, y) = y;
        }
    }
    diamondSquareMain(360, 130, field, 3, 72, 5, 5);
    EXPECT_EQ(unsetCells(field, 361, 26), 0);
}

TEST(DiamondSquare, GridTilesOfSixtyFillEveryCellToDepthFive) {
    heightField field = unsetField(601, 601);
    for (int x = 0; x <= 600; x += 60) {
        for (int y = 0; y <= 600; y += 60) {
            field(x, y) = x - y;
        }
    }
    diamondSquareMain(600, 600, field, 5, 10, 10, 60);

    EXPECT_EQ(unsetCells(field, 601, 601), 0);
    // Truncated averages of the plane x − y stay on it along the edges.
    EXPECT_EQ(field(30, 0), 30);
    EXPECT_EQ(field(0, 30), -30);
}

TEST(DiamondSquare, DepthTooShallowForTheTileLeavesGaps) {
    heightField field = unsetField(601, 601);
    for (int x = 0; x <= 600; x += 60) {
        for (int y = 0; y <= 600; y += 60) {
            field(x, y) = 0;
        }
    }
    diamondSquareMain(600, 600, field, 4, 10, 10, 60);
    EXPECT_GT(unsetCells(field, 601, 601), 0);
}
