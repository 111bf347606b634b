#include "app/exitRequest.hpp"
#include "sim/AIController.hpp"
#include "support/simulationScope.hpp"
#include "support/testFiles.hpp"

#include <chrono>
#include <gtest/gtest.h>

TEST(AIController, NearestTargetAndItsTies) {
    simulationScope run;
    Faction& own = run.addFaction("Own", "O");
    Faction& first = run.addFaction("First", "F");
    Faction& second = run.addFaction("Second", "S");
    run.addFaction("Empty", "E");
    militaryUnit& unit = run.addUnit(own, 5.0f, 5.0f, 1);
    run.addCity(own, 5.0f, 5.01f, "Own city");
    AIController ai;

    city& far = run.addCity(first, 9.0f, 5.0f, "Far");
    militaryUnit& tiedLater = run.addUnit(second, 5.0f, 3.0f, 1, "Second's");
    city& tiedFirst = run.addCity(first, 5.0f, 7.0f, "First's");
    EXPECT_EQ(ai.determineBestTarget(&unit), &tiedFirst) << "a tie goes to the lower faction index";
    first.removeObject(&tiedFirst);
    EXPECT_EQ(ai.determineBestTarget(&unit), &tiedLater) << "units are targets too";
    city& sameFaction = run.addCity(second, 3.0f, 5.0f, "Same faction, later");
    EXPECT_EQ(ai.determineBestTarget(&unit), &tiedLater) << "within a faction the earlier object wins a tie";
    second.removeObject(&tiedLater);
    second.removeObject(&sameFaction);
    EXPECT_EQ(ai.determineBestTarget(&unit), &far);

    first.removeObject(&far);
    testing::internal::CaptureStdout();
    try {
        ai.determineBestTarget(&unit);
        ADD_FAILURE() << "the game went on without targets";
    } catch (const exitRequest& request) {
        EXPECT_EQ(request.exitCode(), 1);
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Game over? No more targets?\n");
}

TEST(ThreadedAIController, IdleUnitsOfDrivenFactionsAttack) {
    simulationScope run;
    run.useGraph(1000, 100);
    Faction& human = run.addFaction("Human", "H");
    Faction& computer = run.addFaction("Computer", "C");
    city& target = run.addCity(human, 2.0f, 0.5f);
    run.addCity(computer, 0.4f, 0.5f);
    militaryUnit& unit = run.addUnit(computer, 0.5f, 0.5f, 3);
    pathSearchPool& searches = run.startSearches(1);
    AIHandler = std::make_unique<AIController>();
    {
        SCOPED_TRACE("no faction handed over: nobody is ordered");
        AIHandler->updateAI();
        EXPECT_FALSE(unit.pathInProgress);
    }
    {
        SCOPED_TRACE("a faction added twice is ordered twice; the second request is refused");
        AIHandler->addFaction(&computer);
        AIHandler->addFaction(&computer);
        testing::internal::CaptureStdout();
        {
            // Holding the tick's lock keeps the first search from finishing before the second order.
            const std::lock_guard<std::mutex> tick(unit.pathMutex);
            AIHandler->updateAI();
        }
        ASSERT_TRUE(searches.waitUntilIdle(std::chrono::steady_clock::now() + std::chrono::minutes(1)));
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(countOf(out, "Path calculation in progress, cannot calculate a new path.\n"), 1u) << out;
        EXPECT_EQ(countOf(out, "Pather returned 0\n"), 1u) << out;
        EXPECT_EQ(searches.searchesDone(), 1u);
        EXPECT_TRUE(unit.attacking);
        EXPECT_EQ(unit.target, &target);
        EXPECT_TRUE(unit.moving);
        EXPECT_EQ(unit.destX, 2.0f);
    }
    {
        SCOPED_TRACE("a moving unit and a city are left alone");
        AIHandler->updateAI();
        EXPECT_FALSE(unit.pathInProgress);
    }
}
