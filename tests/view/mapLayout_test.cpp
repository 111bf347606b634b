#include "view/mapLayout.hpp"

#include <gtest/gtest.h>

// Cap pictures: 360 × 25 cells at 5 pixels a cell, whatever the world's size.
constexpr int CAP_WIDTH = 1800;
constexpr int CAP_HEIGHT = 125;

TEST(MapLayout, DefaultWorldKeepsItsPixelSizesAndEveryWorldOneContinuousMap) {
    {
        SCOPED_TRACE("default world, 360 x 130 in 1920 x 1080");
        const mapLayout layout = computeMapLayout(360, 130, 1920, 1080, CAP_WIDTH, CAP_HEIGHT);
        EXPECT_EQ(layout.mapWidth, 1800);
        EXPECT_EQ(layout.mapHeight, 650);
        EXPECT_EQ(layout.capHeight, 125);
        EXPECT_FLOAT_EQ(layout.capScaleX, 1.0f);
        EXPECT_EQ(layout.screenMultiple, 1);
        EXPECT_FLOAT_EQ(layout.cellPixels, 1920.0f / 360.0f);
        EXPECT_FLOAT_EQ(layout.mapPixelHeight, 130.0f * 1920.0f / 360.0f);
        EXPECT_EQ(layout.cameraCentre, sf::Vector2f(900, 325));
        EXPECT_EQ(layout.cameraSize, sf::Vector2f(1800, 1012.5f));
        EXPECT_FLOAT_EQ(layout.cameraMinX, 900);
        EXPECT_FLOAT_EQ(layout.cameraMaxX, 2700);
        EXPECT_FLOAT_EQ(layout.leftScrollEdge, 150);
        EXPECT_FLOAT_EQ(layout.rightScrollEdge, 1650);
        const sf::Vector2f locator = locatorStart(layout, 18, 1080);
        EXPECT_FLOAT_EQ(locator.x, 900);
        EXPECT_FLOAT_EQ(locator.y, (1080 - 130.0f * 1920.0f / 360.0f) / 2);
    }
    {
        SCOPED_TRACE("smallest world, 190 x 70 in 1920 x 1080");
        const mapLayout layout = computeMapLayout(190, 70, 1920, 1080, CAP_WIDTH, CAP_HEIGHT);
        EXPECT_EQ(layout.mapWidth, 950);
        EXPECT_EQ(layout.mapHeight, 350);
        // The caps span exactly one copy of the map, and the second copy starts where the first ends.
        EXPECT_FLOAT_EQ(layout.capScaleX * CAP_WIDTH, 950);
        EXPECT_EQ(layout.cameraSize.x, 950);
        EXPECT_FLOAT_EQ(layout.cameraMaxX - layout.cameraMinX, 950);
        EXPECT_EQ(layout.cameraCentre, sf::Vector2f(475, 175));
        EXPECT_EQ(layout.screenMultiple, 2);
        EXPECT_FLOAT_EQ(layout.cellPixels, 1920.0f / 190.0f);
        EXPECT_FLOAT_EQ(layout.leftScrollEdge, 300);
        EXPECT_FLOAT_EQ(layout.rightScrollEdge, 1600);
        EXPECT_FLOAT_EQ(locatorStart(layout, 18, 1080).x, 1800);
    }
    {
        SCOPED_TRACE("window narrower than the map");
        const mapLayout layout = computeMapLayout(360, 130, 1280, 720, CAP_WIDTH, CAP_HEIGHT);
        EXPECT_EQ(layout.screenMultiple, 0);
        EXPECT_FLOAT_EQ(layout.leftScrollEdge, 0);
        EXPECT_FLOAT_EQ(layout.rightScrollEdge, 0);
        EXPECT_FLOAT_EQ(locatorStart(layout, 18, 720).x, 0);
    }
}

TEST(MapLayout, WideMapPicturesAreSplitIntoStripsTheGraphicsCardTakes) {
    // The default world's picture is one strip; the widest world's (3600 cells, 18000 pixels) is two on a
    // card that takes 16384 pixels, and five on one that takes 4096.
    EXPECT_EQ(pictureStrips(1800, 650, 16384), (std::vector<sf::IntRect>{{0, 0, 1800, 650}}));
    EXPECT_EQ(pictureStrips(18000, 6500, 16384),
              (std::vector<sf::IntRect>{{0, 0, 16384, 6500}, {16384, 0, 1616, 6500}}));
    const std::vector<sf::IntRect> narrow = pictureStrips(18000, 6500, 4096);
    ASSERT_EQ(narrow.size(), 5u);
    EXPECT_EQ(narrow.back(), sf::IntRect(16384, 0, 1616, 6500));
}

TEST(MapLayout, MapPointUnderTheMouse) {
    const mapLayout layout = computeMapLayout(360, 130, 1920, 1080, CAP_WIDTH, CAP_HEIGHT);
    sf::View camera(layout.cameraCentre, layout.cameraSize);
    {
        SCOPED_TRACE("the window's centre shows the camera's centre: map pixel (900, 325), grid (18, 6.5)");
        const auto p = mapPointUnderMouse(camera, 960, 540, 1.0f, 1920, 1080, 36, 13);
        ASSERT_TRUE(p);
        EXPECT_FLOAT_EQ(p->x, 19.0f) << "x in the cursor's +1.0 convention";
        EXPECT_FLOAT_EQ(p->y, 6.5f);
        const auto doubled = mapPointUnderMouse(camera, 1920, 1080, 2.0f, 1920, 1080, 36, 13);
        ASSERT_TRUE(doubled);
        EXPECT_EQ(*doubled, *p) << "scale 2 doubles the window pixels";
    }
    {
        SCOPED_TRACE("the second copy of the map gives the same world point");
        camera.setCenter(900 + 1800, 325);
        const auto p = mapPointUnderMouse(camera, 1200, 540, 1.0f, 1920, 1080, 36, 13);
        ASSERT_TRUE(p);
        // 2700 + 240 × 1800 / 1920 = 2925 map pixels: 58.5 grids, 22.5 after one turn.
        EXPECT_FLOAT_EQ(p->x, 23.5f);
    }
    {
        SCOPED_TRACE("over the ice caps there is no world point");
        EXPECT_FALSE(mapPointUnderMouse(camera, 960, 10, 1.0f, 1920, 1080, 36, 13));
        EXPECT_FALSE(mapPointUnderMouse(camera, 960, 1075, 1.0f, 1920, 1080, 36, 13));
    }
}
