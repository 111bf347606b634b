#include "app/utilities.hpp"
#include "path/aStarGraph.hpp"
#include "support/interfaceScope.hpp"
#include "support/quietOutput.hpp"
#include "support/testFiles.hpp"

#include <gtest/gtest.h>

TEST(UnreachableOrders, TheConsoleSaysWhenTheHumansOrderFindsNoPathAndWhichGearItLacks) {
    quietOutput quiet;
    interfaceScope game;
    pathSearchPool& searches = game.run.startSearches(1);
    militaryUnit& unit = game.run.addUnit(game.run.addFaction("Mine", "Me"), 2.0f, 3.505f, 2, "Scouts");
    game.controller.selectedObject = &unit;
    // Row 350, east of the unit: node column c lies under the cursor's x = 1 + c / 100. A field of rows 345
    // to 355 fenced by height 0, which nobody crosses, keeps the searches that find nothing short.
    heightField& terrain = graph->mapGridTerrain;
    for (int c = 194; c <= 516; ++c) {
        terrain(c, 344) = terrain(c, 356) = terrain(194, 344 + c % 13) = terrain(516, 344 + c % 13) = 0;
    }
    terrain(450, 350) = -20;  // water
    terrain(460, 350) = 7001; // a mountain top
    terrain(470, 350) = 0;    // closed to everyone
    for (int d = 0; d < 25; ++d) {
        const int dx = d % 5 - 2, dy = d / 5 - 2, ring = std::max(std::abs(dx), std::abs(dy));
        terrain(480 + dx, 350 + dy) = ring == 1 ? -20 : terrain(480 + dx, 350 + dy); // land ringed by water
        terrain(500 + dx, 350 + dy) = ring == 2 ? -20 : ring == 1 ? 7001 : 300;      // by peaks, then water
    }
    const std::pair<float, const char*> orders[] = {
        {4.505f, nullptr},
        {5.505f, ": it needs a raft for everyone."},
        {5.605f, ": it needs mountain gear for everyone."},
        {5.705f, "."},
        {5.805f, ": it needs a raft for everyone."},
        {6.005f, ": it needs rafts and mountain gear for everyone."}};
    for (const auto& [x, reply] : orders) {
        game.console().clearLog();
        game.controller.orderMove(x, 3.505f);
        ASSERT_TRUE(searches.waitUntilIdle(std::chrono::steady_clock::now() + std::chrono::minutes(1)));
        game.controller.reportUnreachableOrders();
        const std::string order = "(" + floatToString(x) + ")(3.505)";
        EXPECT_EQ(game.console().text(),
                  "Ordering move to: " + order + "\n" +
                      (reply ? "Scouts finds no path to " + order + reply + "\n" : ""));
        EXPECT_EQ(game.console().toneOf(1), reply ? logTone::alert : logTone::normal);
    }
}
