#include "support/viewFixture.hpp"

#include <gtest/gtest.h>

TEST(GameView, PanWrapsTheSelectionAndTheMapScrollsUnderTheLocator) {
    viewFixture fixture(360, 130);
    gameView& view = fixture.view;
    {
        SCOPED_TRACE("pan wraps both ways");
        view.gridX = 35;
        view.panMove(10, 0, view.cellPixels);
        EXPECT_EQ(view.gridX, 0);
        view.panMove(-10, 0, view.cellPixels);
        EXPECT_EQ(view.gridX, 35);
        view.panMove(0, 10, view.cellPixels);
        EXPECT_EQ(view.gridY, 1);
        EXPECT_FLOAT_EQ(view.gridLocator.getPosition().y,
                        (1080 - view.mapPixelHeight) / 2 + 10 * view.cellPixels);
    }
    {
        SCOPED_TRACE("a locator beyond the right edge scrolls the map one grid a frame");
        view.gridX = 18;
        view.gridLocator.setPosition(1700, 0);
        view.mapCamera.setCenter(2690, 325);
        view.scrollMapUnderLocator();
        EXPECT_EQ(view.gridX, 18);
        EXPECT_NEAR(view.gridLocator.getPosition().x, 1700 - 10 * 1920.0 / 360, 1e-3);
        // 2690 + 50 leaves the range where the two copies make one picture: one map width back.
        EXPECT_FLOAT_EQ(view.mapCamera.getCenter().x, 940);
    }
    {
        SCOPED_TRACE("and beyond the left edge the other way");
        view.gridX = 0;
        view.gridLocator.setPosition(100, 0);
        view.mapCamera.setCenter(920, 325);
        view.scrollMapUnderLocator();
        EXPECT_EQ(view.gridX, 0);
        EXPECT_NEAR(view.gridLocator.getPosition().x, 100 + 10 * 1920.0 / 360, 1e-3);
        EXPECT_FLOAT_EQ(view.mapCamera.getCenter().x, 870 + 1800);
    }
    {
        SCOPED_TRACE("between the edges nothing moves");
        view.gridLocator.setPosition(900, 0);
        view.scrollMapUnderLocator();
        EXPECT_FLOAT_EQ(view.gridLocator.getPosition().x, 900);
        EXPECT_FLOAT_EQ(view.mapCamera.getCenter().x, 2670);
    }
}

TEST(GameView, SmallestWorldJumpsByItsOwnWidth) {
    viewFixture fixture(190, 70);
    gameView& view = fixture.view;
    EXPECT_EQ(view.mapCamera.getCenter(), sf::Vector2f(475, 175));
    view.gridX = 18;
    view.panMove(10, 0, view.cellPixels);
    EXPECT_EQ(view.gridX, 0);
    view.gridLocator.setPosition(1700, 0);
    view.mapCamera.setCenter(1400, 175);
    view.scrollMapUnderLocator();
    EXPECT_FLOAT_EQ(view.mapCamera.getCenter().x, 1450 - 950);
}
