#include "support/simulationScope.hpp"

#include <gtest/gtest.h>

namespace {
void tick(placeableObject& object, int times) {
    for (int i = 0; i < times; ++i) {
        object.update();
    }
}
} // namespace

TEST(MilitaryUnit, StartingUnitIsItsLeaderAndSoldiers) {
    simulationScope run;
    Faction& faction = run.addFaction("Reds", "Ann");
    seed(9u);
    militaryUnit unit("Ann's Unit", &faction, 1, 1);
    ASSERT_GE(unit.numPeople(), 7);
    ASSERT_LE(unit.numPeople(), 12);
    EXPECT_EQ(unit.people[0], faction.leader.get());
    for (std::size_t i = 1; i < unit.people.size(); ++i) {
        EXPECT_EQ(unit.people[i]->name, "SOLDIER_NAME");
        EXPECT_EQ(unit.people[i]->job, Soldier);
    }
    EXPECT_EQ(unit.peopleMade().size(), unit.people.size() - 1);
    EXPECT_EQ(unit.food, 10000);
    EXPECT_FLOAT_EQ(unit.speed, 0.001f);
    EXPECT_TRUE(unit.isMilitary);
    EXPECT_EQ(unit.owner, faction.leader.get());
}

TEST(MilitaryUnit, WalksWaypointsInTurnAndStopsExactlyOnTheLast) {
    simulationScope run;
    Faction& faction = run.addFaction("Reds", "Ann");
    militaryUnit& unit = run.addUnit(faction, 1.0f, 1.0f, 2);
    {
        SCOPED_TRACE("a step a tick, twice as far on horseback");
        unit.installPath({{1.5f, 1.0f}});
        tick(unit, 250);
        EXPECT_NEAR(unit.x, 1.25f, 1e-4f);
        EXPECT_FLOAT_EQ(unit.y, 1.0f);
        unit.giveEquipment(horse, -1);
        tick(unit, 100);
        EXPECT_NEAR(unit.x, 1.45f, 1e-4f);
    }
    {
        SCOPED_TRACE("arrival: exactly on the destination, idle, no path, no target");
        unit.setAttackTarget(nullptr);
        tick(unit, 30);
        EXPECT_EQ(unit.x, 1.5f);
        EXPECT_EQ(unit.y, 1.0f);
        EXPECT_FALSE(unit.moving);
        EXPECT_EQ(unit.travelPath, nullptr);
        EXPECT_FALSE(unit.attacking);
        EXPECT_EQ(unit.target, nullptr);
    }
    {
        SCOPED_TRACE("on reaching a waypoint the unit heads for the next");
        unit.installPath({{1.6f, 1.0f}, {1.6f, 1.2f}});
        tick(unit, 51);
        ASSERT_NE(unit.travelPath, nullptr);
        EXPECT_EQ(unit.travelPath->size(), 1u);
        EXPECT_FLOAT_EQ(unit.destY, 1.2f);
        tick(unit, 110);
        EXPECT_EQ(unit.y, 1.2f);
        EXPECT_EQ(unit.x, 1.6f);
        EXPECT_FALSE(unit.moving);
    }
}

TEST(MilitaryUnit, FightsOrJoinsOnlyATargetStillInPlay) {
    simulationScope run;
    Faction& mine = run.addFaction("Mine", "Me");
    Faction& theirs = run.addFaction("Theirs", "Them");
    {
        SCOPED_TRACE("arriving with an attack target fights it");
        militaryUnit& attacker = run.addUnit(mine, 1.0f, 1.0f, 10);
        city& town = run.addCity(theirs, 1.0f, 1.002f);
        attacker.installPath({{1.0f, 1.002f}});
        attacker.setAttackTarget(&town);
        testing::internal::CaptureStdout();
        tick(attacker, 3);
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(run.console.text(), "The attacker has won!\n"); // 100 against an empty city
        EXPECT_EQ(town.faction, &mine);
        EXPECT_FALSE(attacker.attacking);
    }
    run.console.clearLog();
    {
        SCOPED_TRACE("a target that left play meanwhile is neither fought nor joined");
        militaryUnit& attacker = run.addUnit(mine, 2.0f, 2.0f, 10);
        militaryUnit& gone = run.addUnit(theirs, 2.0f, 2.002f, 1);
        theirs.removeObject(&gone);
        attacker.installPath({{2.0f, 2.002f}});
        attacker.setAttackTarget(&gone);
        tick(attacker, 3);
        EXPECT_EQ(run.console.text(), "");
        EXPECT_EQ(gone.numPeople(), 1);
        EXPECT_FALSE(attacker.moving);
        EXPECT_EQ(attacker.y, 2.002f);

        militaryUnit& joiner = run.addUnit(mine, 3.0f, 3.0f, 4);
        joiner.installPath({{2.0f, 2.002f}});
        joiner.setMergeTarget(&gone);
        tick(joiner, 1500);
        EXPECT_EQ(joiner.numPeople(), 4);
        EXPECT_TRUE(joiner.inPlay());
        EXPECT_FALSE(joiner.moving);
        EXPECT_EQ(run.console.text(), "");
    }
    {
        SCOPED_TRACE("arriving with a merge target joins it");
        city& home = run.addCity(mine, 4.0f, 4.0f);
        militaryUnit& joiner = run.addUnit(mine, 4.0f, 3.999f, 4);
        const std::vector<person*> members = joiner.people;
        joiner.installPath({{4.0f, 4.0f}});
        joiner.setMergeTarget(&home);
        testing::internal::CaptureStdout();
        tick(joiner, 2);
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(home.people, members);
        EXPECT_FALSE(joiner.inPlay());
    }
}
