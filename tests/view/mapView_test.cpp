#include "support/viewFixture.hpp"

#include <gtest/gtest.h>

TEST(MapView, MovesStopAtTheTopAndBottomRowsAndOncePerPanPeriod) {
    viewFixture fixture(360, 130);
    gameView& view = fixture.view;
    mapView& map = *view.mapViewer;
    {
        SCOPED_TRACE("up from the top row changes nothing and leaves the flag clear");
        map.moveUp();
        EXPECT_EQ(view.gridY, 0);
        EXPECT_FALSE(view.panStepped[panUp]);
    }
    {
        SCOPED_TRACE("one step per direction per period");
        map.moveDown();
        map.moveDown();
        EXPECT_EQ(view.gridY, 1);
        EXPECT_TRUE(view.panStepped[panDown]);
    }
    {
        SCOPED_TRACE("the lowest row of a 130-cell world is 12");
        for (int i = 0; i < 20; ++i) {
            fixture.newPanPeriod();
            map.moveDown();
        }
        EXPECT_EQ(view.gridY, 12);
        EXPECT_FALSE(view.panStepped[panDown]);
    }
    {
        SCOPED_TRACE("left from column 0 wraps");
        view.gridX = 0;
        map.moveLeft();
        EXPECT_EQ(view.gridX, 35);
    }
}
