#include "view/gridGeometry.hpp"

#include <gtest/gtest.h>

TEST(GridGeometry, NeighboursToMark) {
    using offsets = std::vector<sf::Vector2i>;
    struct markCase {
        const char* where;
        int cellX, cellY;
        offsets marked;
    };
    const std::vector<markCase> cases = {
        {"centre cell: nothing", 4, 5, {}},
        {"top right corner: above, right, then the diagonal", 6, 2, {{0, -1}, {1, 0}, {1, -1}}},
        {"bottom left corner", 3, 8, {{0, 1}, {-1, 0}, {-1, 1}}},
        {"left edge", 0, 5, {{-1, 0}}},
        {"right edge", 9, 3, {{1, 0}}},
    };
    for (const markCase& each : cases) {
        SCOPED_TRACE(each.where);
        EXPECT_EQ(neighboursToMark(each.cellX, each.cellY), each.marked);
    }
}

TEST(GridGeometry, LoadBlockAtTheTopRowScansOnlyRowsInsideTheWorld) {
    const std::vector<gridToLoad> block = gridLoadBlock(18, 0, 36, 13);
    ASSERT_EQ(block.size(), 36u);
    std::vector<int> progress;
    for (const gridToLoad& grid : block) {
        progress.push_back(grid.scanIndex);
    }
    EXPECT_EQ(std::vector<int>(progress.begin(), progress.begin() + 5), (std::vector<int>{5, 6, 7, 8, 14}));
    EXPECT_EQ(progress.back(), 80);
    EXPECT_EQ(block.front().column, 13);
    EXPECT_EQ(block.front().row, 0);
    EXPECT_EQ(block.back().column, 21);
    EXPECT_EQ(block.back().row, 3);

    SCOPED_TRACE("the block wraps round the world's east-west seam");
    const std::vector<gridToLoad> seam = gridLoadBlock(2, 6, 36, 13);
    ASSERT_EQ(seam.size(), 81u);
    EXPECT_EQ(seam.front().column, 33);
    EXPECT_EQ(seam.back().column, 5);
    EXPECT_EQ(seam.back().row, 9);
}

TEST(GridGeometry, PointsLandOnTheSquareOfTheirGridAndCell) {
    // Default window: squares of 1920 / 9 = 213 pixels; the block's top is 540 + 106 above the window.
    gridFrame frame{0, 18, 4, 0, 0, 213, 1080, 36};
    {
        SCOPED_TRACE("view mode 1: the centre grid (17, 4) is block square (4, 5)");
        const auto p = gridPointOnScreen(frame, 17.25f, 4.5f);
        ASSERT_TRUE(p);
        EXPECT_FLOAT_EQ(p->x, 4.25f * 213);
        EXPECT_FLOAT_EQ(p->y, 5.5f * 213 - 540 - 106);
        EXPECT_FALSE(gridPointOnScreen(frame, 22.0f, 4.5f)) << "east of the block";
        EXPECT_FALSE(gridPointOnScreen(frame, 17.0f, 8.5f)) << "south of the block";
    }
    {
        SCOPED_TRACE("view mode 1 across the seam: grid 35 lies left of grid 0");
        frame.gridX = 1;
        const auto p = gridPointOnScreen(frame, 35.5f, 4.0f);
        ASSERT_TRUE(p);
        EXPECT_FLOAT_EQ(p->x, 3.5f * 213);
    }
    {
        SCOPED_TRACE("a unit that crossed the seam stands where its wrapped position does");
        frame.gridX = 1;
        for (const auto& [stored, wrapped] : {std::pair{-0.5f, 35.5f}, std::pair{36.25f, 0.25f}}) {
            const auto p = gridPointOnScreen(frame, stored, 4.5f);
            const auto q = gridPointOnScreen(frame, wrapped, 4.5f);
            ASSERT_TRUE(p) << stored;
            ASSERT_TRUE(q) << wrapped;
            EXPECT_FLOAT_EQ(p->x, q->x) << stored;
            EXPECT_FLOAT_EQ(p->y, q->y) << stored;
        }
        EXPECT_FLOAT_EQ(gridPointOnScreen(frame, -0.5f, 4.5f)->x, 3.5f * 213);
    }
    {
        SCOPED_TRACE("view mode 2: cell (2, 7) of the centre grid, scrolled one cell left");
        frame = {1, 18, 4, 1, 0, 213, 1080, 36};
        const auto p = gridPointOnScreen(frame, 17.25f, 4.75f);
        ASSERT_TRUE(p);
        EXPECT_NEAR(p->x, (2.5f + 1) * 213, 0.01);
        EXPECT_NEAR(p->y, 7.5f * 213 - 540 - 106, 0.01);
        const auto west = gridPointOnScreen(frame, 16.95f, 4.0f);
        ASSERT_TRUE(west);
        EXPECT_NEAR(west->x, -10 * 213 + (9.5f + 1) * 213, 0.05);
        EXPECT_FALSE(gridPointOnScreen(frame, 15.5f, 4.5f)) << "two grids west";
        EXPECT_FALSE(gridPointOnScreen(frame, 17.5f, 6.5f)) << "two grids south";
    }
    EXPECT_FLOAT_EQ(objectTolerance(0), 0.05f);
    EXPECT_FLOAT_EQ(objectTolerance(1), 0.005f);
}

TEST(GridGeometry, WorldPointUnderTheMouse) {
    {
        SCOPED_TRACE("top left corner in view mode 1");
        const auto p = worldPointUnderMouse(1, 0, 0, 213, 1.0f, 18, 0);
        ASSERT_TRUE(p);
        EXPECT_FLOAT_EQ(p->x, 14);
        EXPECT_FLOAT_EQ(p->y, -2);
    }
    {
        SCOPED_TRACE("view mode 2 divides by ten cells; window scale 2 doubles the square");
        const auto p = worldPointUnderMouse(2, 852 * 2, 426 * 2, 213, 2.0f, 18.4f, 0.5f);
        ASSERT_TRUE(p);
        EXPECT_FLOAT_EQ(p->x, 18.4f);
        EXPECT_FLOAT_EQ(p->y, 0.5f);
    }
    EXPECT_FALSE(worldPointUnderMouse(0, 10, 10, 213, 1.0f, 18, 0)) << "not on the world map";
}
