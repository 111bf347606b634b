#include "path/aStarGraph.hpp"
#include "support/interfaceScope.hpp"
#include "support/quietOutput.hpp"
#include "support/testFiles.hpp"

#include <gtest/gtest.h>

TEST(UnreachableOrders, TheConsoleSaysWhenTheHumansOrderFindsNoPath) {
    quietOutput quiet;
    interfaceScope game;
    pathSearchPool& searches = game.run.startSearches(1);
    militaryUnit& unit = game.run.addUnit(game.run.addFaction("Mine", "Me"), 2.0f, 3.0f, 2, "Scouts");
    game.controller.selectedObject = &unit;
    // Water at the node under (5.5, 3.5), x in the cursor's convention: without rafts nobody enters it.
    graph->mapGridTerrain(450, 350) = -20;
    for (const float x : {4.5f, 5.5f}) {
        game.console().clearLog();
        game.controller.orderMove(x, 3.5f);
        ASSERT_TRUE(searches.waitUntilIdle(std::chrono::steady_clock::now() + std::chrono::minutes(1)));
        game.controller.processGameTick();
        EXPECT_EQ(countOf(game.console().text(), "Scouts finds no path to (5.5)(3.5)"), x == 5.5f ? 1u : 0u);
    }
}
