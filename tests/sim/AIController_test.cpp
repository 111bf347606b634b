#include "sim/AIController.hpp"
#include "support/simulationScope.hpp"

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
    ai.addFaction(&own);
    EXPECT_EQ(ai.determineBestTarget(&unit), nullptr);
    EXPECT_NO_THROW(ai.updateAI()) << "with nothing left to attack the unit stays idle; the game goes on";
}
