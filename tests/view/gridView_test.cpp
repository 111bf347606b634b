#include "support/interfaceScope.hpp"

#include <gtest/gtest.h>

TEST(GridView, CellStepsCrossGridBordersAndStopAtTheWorldsEdgeRows) {
    interfaceScope game;
    display = 2;
    gridView& grids = *game.view.gridViewer;
    const std::tuple<void (gridView::*)(), int, int, int, int, std::string> steps[] = {
        // move, offsets, selection before; after
        {&gridView::moveLeft, 4, 0, 18, 5, "9,5 17,5"},  {&gridView::moveRight, -5, 0, 17, 5, "0,5 18,5"},
        {&gridView::moveRight, 4, 0, 18, 5, "1,5 18,5"}, {&gridView::moveRight, -4, 0, 18, 5, "9,5 18,5"},
        {&gridView::moveUp, 0, 5, 18, 0, "4,0 18,0"},    {&gridView::moveUp, 0, 5, 18, 1, "4,9 18,0"},
        {&gridView::moveDown, 0, -4, 18, 6, "4,9 18,6"}, {&gridView::moveDown, 0, -4, 18, 5, "4,0 18,6"}};
    for (const auto& [move, offsetX, offsetY, gridX, gridY, after] : steps) {
        game.newPanPeriod();
        std::tie(grids.offsetX, grids.offsetY, grids.cellX, grids.cellY) =
            std::make_tuple(offsetX, offsetY, 4 - offsetX, 5 - offsetY);
        std::tie(game.view.gridX, game.view.gridY) = std::make_pair(gridX, gridY);
        (grids.*move)();
        EXPECT_EQ(std::to_string(4 - grids.offsetX) + "," + std::to_string(5 - grids.offsetY) + " " +
                      std::to_string(game.view.gridX) + "," + std::to_string(game.view.gridY),
                  after)
            << "from cell " << 4 - offsetX << "," << 5 - offsetY << " of grid " << gridX << "," << gridY;
    }
    display = 1;
    game.newPanPeriod();
    std::tie(game.view.gridX, game.view.gridY) = std::make_pair(18, 0);
    grids.moveUp();
    EXPECT_EQ(game.view.gridY, 0) << "the grid view stops at the top row too";
}
