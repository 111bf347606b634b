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
} // namespace

TEST(DiamondSquare, FillsATileFromItsCornersWithTruncatedMeans) {
    heightField field = squareWithCorners(10, 0, 100, 37, -50);
    diamondSquareMain(10, 10, field, 3, 1, 1, 10);
    // Worked out by a separate script written from the subdivision rules; one row per y.
    const int expected[11][11] = {
        {0, 12, 25, 37, 43, 50, 62, 75, 87, 93, 100},    {-6, 6, 18, 30, 36, 42, 54, 67, 79, 85, 92},
        {-12, 0, 11, 23, 29, 35, 47, 59, 71, 77, 84},    {-18, -6, 4, 16, 22, 28, 39, 51, 63, 69, 76},
        {-21, -9, 1, 12, 18, 24, 35, 47, 59, 65, 72},    {-25, -13, -2, 9, 15, 21, 32, 44, 56, 62, 68},
        {-31, -19, -8, 2, 8, 14, 25, 36, 48, 54, 60},    {-37, -26, -15, -4, 1, 7, 18, 29, 40, 46, 52},
        {-43, -32, -21, -10, -5, 0, 11, 22, 33, 38, 44}, {-46, -35, -24, -13, -8, -3, 7, 18, 29, 34, 40},
        {-50, -39, -28, -17, -11, -6, 4, 15, 26, 31, 37}};
    for (int y = 0; y <= 10; ++y) {
        for (int x = 0; x <= 10; ++x) {
            EXPECT_EQ(field(x, y), expected[y][x]) << "x " << x << ", y " << y;
        }
    }
}
