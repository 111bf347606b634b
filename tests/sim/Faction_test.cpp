#include "app/exitRequest.hpp"
#include "support/simulationScope.hpp"

#include <gtest/gtest.h>

TEST(Faction, ObjectListKeepsItsOrderAndEmptiesCleanly) {
    simulationScope run;
    Faction& faction = run.addFaction("Reds", "Ann");
    Faction& other = run.addFaction("Blues", "Bo");
    city& first = run.addCity(faction, 1, 1, "First");
    militaryUnit& second = run.addUnit(faction, 2, 2, 1, "Second");
    city& third = run.addCity(faction, 3, 3, "Third");
    {
        SCOPED_TRACE("joining sets the faction and the leader as owner, at the end of the list");
        EXPECT_EQ(faction.objects, (std::vector<placeableObject*>{&first, &second, &third}));
        EXPECT_EQ(second.faction, &faction);
        EXPECT_EQ(second.owner, faction.leader.get());
        EXPECT_EQ(faction.numObjects(), 3);
    }
    {
        SCOPED_TRACE("removal keeps the order of the rest; a stranger changes nothing");
        faction.removeObject(&second);
        EXPECT_EQ(faction.objects, (std::vector<placeableObject*>{&first, &third}));
        faction.removeObject(&second);
        EXPECT_EQ(faction.numObjects(), 2);
        EXPECT_FALSE(second.inPlay());
        EXPECT_TRUE(third.inPlay());
    }
    {
        SCOPED_TRACE("emptied, then a fresh one-element list");
        faction.removeObject(&first);
        faction.removeObject(&third);
        EXPECT_TRUE(faction.objects.empty());
        other.addObject(&third);
        EXPECT_EQ(other.objects, (std::vector<placeableObject*>{&third}));
        EXPECT_EQ(third.faction, &other);
        EXPECT_EQ(third.owner, other.leader.get());
        EXPECT_EQ(faction.objectsMade().size(), 3u);
    }
    {
        SCOPED_TRACE("a commander's cities and armies join its faction; only cities are listed as its own");
        city& given = *faction.keep(std::make_unique<city>("Given", nullptr, 0, 0, false));
        militaryUnit& army = *faction.keep(std::make_unique<militaryUnit>("Army", &faction, 0, 0));
        faction.leader->addCity(&given);
        faction.leader->assignArmy(&army);
        EXPECT_EQ(faction.objects, (std::vector<placeableObject*>{&given, &army}));
        EXPECT_EQ(faction.leader->cities, (std::vector<city*>{&given}));
        EXPECT_EQ(given.faction, &faction);
    }
    {
        SCOPED_TRACE("a null object stops the program");
        testing::internal::CaptureStdout();
        try {
            faction.addObject(nullptr);
            ADD_FAILURE() << "no exitRequest";
        } catch (const exitRequest& request) {
            EXPECT_EQ(request.exitCode(), 1);
        }
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  "Error: attempting to add a NULL object to faction.\n");
    }
}
