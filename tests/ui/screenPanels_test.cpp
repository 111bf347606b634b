#include "support/interfaceScope.hpp"
#include "support/quietOutput.hpp"
#include "ui/screenPanels.hpp"

#include <gtest/gtest.h>
#include <tuple>

TEST(ScreenPanels, APointFallsInThePanelDrawnOnTopOrOnTheMap) {
    quietOutput quiet;
    interfaceScope game;
    game.view.infoPanel->update(&game.run.addCity(game.run.addFaction("Mine", "Me"), 2.0f, 3.0f));
    // The default 1920 × 1080 window: console 700 × 300 at the origin, bar 100 high at the bottom, details
    // panel 400 × 400 above the bar's right end, info box 600 × 800 at (660, 100), overview map 480 × 270 at
    // (1440, −21.6); outlines 3 wide. Rows: view mode, info box shown, the point, the panel there, why.
    const std::tuple<int, bool, float, float, screenPanel, const char*> cases[] = {
        {1, false, 60, 1050, screenPanel::commandBar, "the status line"},
        {1, false, 1600, 700, screenPanel::detailsPanel, "the details panel"},
        {1, true, 900, 500, screenPanel::infoBox, "the info box"},
        {1, true, 680, 200, screenPanel::infoBox, "the info box over the console"},
        {1, false, 1800, 100, screenPanel::overviewMap, "the overview map"},
        {0, false, 1800, 100, screenPanel::none, "the world map has no overview map"},
    };
    for (const auto& [mode, infoShown, x, y, panel, why] : cases) {
        SCOPED_TRACE(why);
        display = mode;
        game.view.infoPanel->visible = infoShown;
        EXPECT_EQ(panelAt(game.view.shownPanelAreas(), x, y), panel);
    }
    // A left click on a panel that hits no button completes no order on the map behind it.
    display = 1;
    game.controller.selectedObject = game.view.infoPanel->object;
    game.controller.context = gameController::movePending;
    game.view.mouseX = 1600;
    game.view.mouseY = 700;
    game.click(sf::Mouse::Left);
    EXPECT_EQ(game.controller.context, gameController::movePending) << "the details panel took the click";
}
