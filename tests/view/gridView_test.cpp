#include "support/viewFixture.hpp"

#include <gtest/gtest.h>

TEST(GridView, CellStepsCrossGridBordersAndStopAtTheWorldsEdgeRows) {
    viewFixture fixture(360, 130);
    gameView& view = fixture.view;
    gridView& grids = *view.gridViewer;
    display = 2;
    const auto step = [&](void (gridView::*move)()) {
        fixture.newPanPeriod();
        (grids.*move)();
        // The next frame recomputes the centre cell from the offsets.
        grids.cellX = 4 - grids.offsetX;
        grids.cellY = 5 - grids.offsetY;
    };
    {
        SCOPED_TRACE("left from cell 0 enters the grid to the left at its far cell");
        grids.offsetX = 4;
        grids.cellX = 0;
        view.gridX = 18;
        step(&gridView::moveLeft);
        EXPECT_EQ(grids.offsetX, -5);
        EXPECT_EQ(grids.cellX, 9);
        EXPECT_EQ(view.gridX, 17);
    }
    {
        SCOPED_TRACE("right from cell 9 comes back to cell 0");
        step(&gridView::moveRight);
        EXPECT_EQ(grids.cellX, 0);
        EXPECT_EQ(view.gridX, 18);
        step(&gridView::moveRight);
        EXPECT_EQ(grids.cellX, 1);
        EXPECT_EQ(view.gridX, 18);
    }
    {
        SCOPED_TRACE("up from cell row 0 of the top grid row changes nothing");
        grids.offsetY = 5;
        grids.cellY = 0;
        view.gridY = 0;
        step(&gridView::moveUp);
        EXPECT_EQ(grids.cellY, 0);
        EXPECT_EQ(view.gridY, 0);
    }
    {
        SCOPED_TRACE("down from cell row 9 of the bottom grid row changes nothing, from row 8 it steps");
        grids.offsetY = -4;
        grids.cellY = 9;
        view.gridY = 12;
        step(&gridView::moveDown);
        EXPECT_EQ(grids.cellY, 9);
        EXPECT_EQ(view.gridY, 12);
        view.gridY = 11;
        step(&gridView::moveDown);
        EXPECT_EQ(grids.cellY, 0);
        EXPECT_EQ(view.gridY, 12);
    }
}

TEST(GridView, CursorAndNeighbourMarksWrapAroundTheWorld) {
    viewFixture fixture(360, 130);
    gameView& view = fixture.view;
    gridView& grids = *view.gridViewer;
    {
        SCOPED_TRACE("mouse at the top left corner in view mode 1");
        display = 1;
        view.gridX = 18;
        view.gridY = 6;
        grids.relativeMouseCoordinates(&grids.cursorX, &grids.cursorY, 18, 6);
        EXPECT_FLOAT_EQ(grids.cursorX, 14);
        EXPECT_FLOAT_EQ(grids.cursorY, 4);
    }
    {
        SCOPED_TRACE("on the world map the cursor keeps its last value");
        display = 0;
        view.mouseX = 500;
        grids.relativeMouseCoordinates(&grids.cursorX, &grids.cursorY, 18, 6);
        EXPECT_FLOAT_EQ(grids.cursorX, 14);
    }
    {
        SCOPED_TRACE("marks wrap by any number of columns; rows outside the world are ignored");
        grids.setToDisplay(-2, 0);
        grids.setToDisplay(36, 0);
        grids.setToDisplay(5, -1);
        EXPECT_TRUE(grids.subGrid(34, 0).toDisplay);
        EXPECT_TRUE(grids.subGrid(0, 0).toDisplay);
        EXPECT_FALSE(grids.subGrid(5, 0).toDisplay);
        EXPECT_EQ(grids.wrapGlobalX(-1), 35);
    }
}
