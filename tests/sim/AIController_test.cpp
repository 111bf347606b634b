#include "sim/AIController.hpp"
#include "support/quietOutput.hpp"
#include "support/simulationScope.hpp"
#include "support/testFiles.hpp"

#include <gtest/gtest.h>

TEST(AIController, TheNearestObjectOfAnotherFactionTiesToTheLowerIndexThenTheEarlier) {
    simulationScope run;
    Faction& own = run.addFaction("Own", "O");
    Faction& first = run.addFaction("First", "F");
    Faction& second = run.addFaction("Second", "S");
    militaryUnit& unit = run.addUnit(own, 5.0f, 5.0f, 1);
    run.addCity(own, 5.0f, 5.01f);
    city& far = run.addCity(first, 9.0f, 5.0f);
    militaryUnit& tiedLater =
        run.addUnit(second, 5.0f, 3.0f, 1); // earlier in its faction than the city below
    city& tiedFirst = run.addCity(first, 5.0f, 7.0f);
    city& sameDistance = run.addCity(second, 3.0f, 5.0f);
    AIController ai;
    for (placeableObject* expected :
         std::vector<placeableObject*>{&tiedFirst, &tiedLater, &sameDistance, &far}) {
        EXPECT_EQ(ai.determineBestTarget(&unit), expected) << expected->name;
        expected->faction->removeObject(expected);
    }
}

TEST(ThreadedAIController, IdleUnitsOfDrivenFactionsAttackTheNearest) {
    simulationScope run;
    run.useGraph(1000, 100);
    city& target = run.addCity(run.addFaction("Human", "H"), 2.0f, 0.5f);
    Faction& computer = run.addFaction("Computer", "C");
    run.addCity(computer, 0.4f, 0.5f);
    militaryUnit& unit = run.addUnit(computer, 0.5f, 0.5f, 3);
    pathSearchPool& searches = run.startSearches(1);
    AIHandler = std::make_unique<AIController>();
    AIHandler->updateAI();
    EXPECT_FALSE(unit.pathInProgress) << "no faction handed over: nobody is ordered";
    AIHandler->addFaction(&computer);
    quietOutput quiet;
    AIHandler->updateAI();
    ASSERT_TRUE(run.searchesDone());
    AIHandler->updateAI(); // a moving unit and a city are left alone
    EXPECT_EQ(std::make_tuple(searches.searchesDone(), unit.target, unit.destX),
              std::make_tuple(std::uint64_t{1}, static_cast<placeableObject*>(&target), 2.0f));
}
