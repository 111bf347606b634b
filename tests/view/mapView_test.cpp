#include "support/interfaceScope.hpp"

#include <gtest/gtest.h>
#include <thread>

TEST(MapView, TheSelectionStepsOnceAPeriodAcrossTheSeamButNotPastTheEdgeRowsAndTheMapScrollsUnderIt) {
    interfaceScope game; // 19 grids across, 7 down, in 1920 × 1080: 2 window pixels per map pixel
    gameView& view = game.view;
    std::string visited;
    for (const auto& [move, times] :
         std::vector<std::pair<void (mapView::*)(), int>>{{&mapView::moveUp, 1},
                                                          {&mapView::moveDown, 9},
                                                          {&mapView::moveRight, 1},
                                                          {&mapView::moveLeft, 2}}) {
        for (int i = 0; i < times; ++i) {
            (view.mapViewer.get()->*move)();
            (view.mapViewer.get()->*move)(); // a second move in the same pan period does nothing
            game.newPanPeriod();
        }
        visited += std::to_string(view.gridX) + "," + std::to_string(view.gridY) + " ";
    }
    EXPECT_EQ(visited, "18,0 18,6 0,6 17,6 ") << "from 18,0";
    for (const int wait : {350, 150}) { // a held key steps again once a pan period of 0.1 s has passed
        std::this_thread::sleep_for(std::chrono::milliseconds(wait));
        view.resetPan();
        view.mapViewer->moveLeft();
    }
    EXPECT_EQ(view.gridX, 15);
    const float cell = 1920.0f / 190;
    // locator x, camera x; both after the frame's scroll
    const std::tuple<float, float, float, float> scrolls[] = {
        {1700, 1400, 1700 - 10 * cell, 500}, {100, 480, 100 + 10 * cell, 1380}, {900, 1000, 900, 1000}};
    for (const auto& [locatorX, cameraX, movedLocatorX, movedCameraX] : scrolls) {
        view.gridLocator.setPosition(locatorX, 0);
        view.mapCamera.setCenter(cameraX, 175);
        view.scrollMapUnderLocator();
        EXPECT_NEAR(view.gridLocator.getPosition().x, movedLocatorX, 1e-3) << locatorX;
        EXPECT_EQ(view.mapCamera.getCenter().x, movedCameraX)
            << "the camera jumps by one map where it would leave the two copies";
    }
}
