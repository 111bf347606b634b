#include "view/gridGeometry.hpp"

#include <gtest/gtest.h>

TEST(GridGeometry, NeighboursToMarkTheBlockToLoadAndTheWorldPointUnderTheMouse) {
    using offsets = std::vector<sf::Vector2i>;
    const std::tuple<int, int, offsets> marks[] = {{4, 5, {}},
                                                   {6, 2, {{0, -1}, {1, 0}, {1, -1}}},
                                                   {3, 8, {{0, 1}, {-1, 0}, {-1, 1}}},
                                                   {0, 5, {{-1, 0}}}};
    for (const auto& [cellX, cellY, marked] : marks) {
        EXPECT_EQ(neighboursToMark(cellX, cellY), marked)
            << cellX << ", " << cellY << ": the sides first, then the corner";
    }
    const std::vector<gridToLoad> top = gridLoadBlock(18, 0, 36, 13), seam = gridLoadBlock(2, 6, 36, 13);
    ASSERT_EQ(std::make_pair(top.size(), seam.size()), std::make_pair(std::size_t{36}, std::size_t{81}))
        << "at the top only rows 0 to 3 lie in the world";
    EXPECT_EQ(std::make_tuple(top[0].scanIndex, top[4].scanIndex, top.back().scanIndex, top[0].column,
                              top[0].row, top.back().column, top.back().row),
              std::make_tuple(5, 14, 80, 13, 0, 21, 3));
    EXPECT_EQ(std::make_tuple(seam.front().column, seam.back().column, seam.back().row),
              std::make_tuple(33, 5, 9))
        << "the block wraps round the seam";
    EXPECT_EQ(worldPointUnderMouse(1, 0, 0, 213, 1.0f, 18, 0), sf::Vector2f(14, -2)) << "the top left corner";
    EXPECT_EQ(worldPointUnderMouse(2, 852 * 2, 426 * 2, 213, 2.0f, 18.4f, 0.5f), sf::Vector2f(18.4f, 0.5f))
        << "tenths in the cell view; scale 2";
}

TEST(GridGeometry, PointsLandOnTheSquareOfTheirGridAndCell) {
    // Squares of 1920 / 9 = 213 pixels; the block's top 540 + 106 above the window's. The centre grid (17, 4)
    // is square (4, 5); grid 35 lies left of 0; cell (2, 7) of the cell view, scrolled one cell left.
    const float top = -540 - 106;
    const gridFrame grid{0, 18, 4, 0, 0, 213, 1080, 36}, atSeam{0, 1, 4, 0, 0, 213, 1080, 36},
        cells{1, 18, 4, 1, 0, 213, 1080, 36};
    const std::tuple<const gridFrame&, float, float, std::optional<sf::Vector2f>> points[] = {
        {grid, 17.25f, 4.5f, sf::Vector2f(4.25f * 213, 5.5f * 213 + top)},
        {grid, 22.0f, 4.5f, std::nullopt},
        {grid, 17.0f, 8.5f, std::nullopt},
        {atSeam, 35.5f, 4.0f, sf::Vector2f(3.5f * 213, 5.0f * 213 + top)},
        {atSeam, 36.25f, 4.0f, sf::Vector2f(4.25f * 213, 5.0f * 213 + top)},
        {cells, 17.25f, 4.75f, sf::Vector2f(3.5f * 213, 7.5f * 213 + top)},
        {cells, 16.95f, 4.0f, sf::Vector2f(0.5f * 213, top)},
        {cells, 15.5f, 4.5f, std::nullopt}};
    for (const auto& [frame, x, y, screen] : points) {
        const std::optional<sf::Vector2f> at = gridPointOnScreen(frame, x, y);
        EXPECT_TRUE(at.has_value() == screen.has_value() &&
                    (!at || (std::abs(at->x - screen->x) < 0.05f && std::abs(at->y - screen->y) < 0.05f)))
            << x << ", " << y << " in view mode " << frame.level + 1;
    }
    EXPECT_EQ(std::make_pair(objectTolerance(0), objectTolerance(1)), std::make_pair(0.05f, 0.005f));
}
