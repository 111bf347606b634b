#include "app/exitRequest.hpp"
#include "sim/combat.hpp"
#include "support/simulationScope.hpp"

#include <gtest/gtest.h>
#include <map>

namespace {

/// A seed whose first draw of randomRange(-half, half) is `roll`.
unsigned seedForRoll(int half, int roll) {
    for (unsigned s = 0;; ++s) {
        seed(s);
        if (randomRange(-half, half) == roll) {
            return s;
        }
    }
}

/// Over every roll -half … half, how often the attacker wins.
int attackerWins(int attackers, int defenders, occupation defenderJob) {
    const int half = std::max(attackers * 10, defenders * (defenderJob == Soldier ? 10 : 1)) / 2;
    int wins = 0;
    for (int roll = -half; roll <= half; ++roll) {
        simulationScope run;
        Faction& red = run.addFaction("Red", "R");
        Faction& blue = run.addFaction("Blue", "B");
        militaryUnit& attacker = run.addUnit(red, 1, 1, attackers);
        city& defender = run.addCity(blue, 1, 1);
        for (int i = 0; i < defenders; ++i) {
            defender.addNewPerson(std::make_unique<person>("P", &blue, defenderJob));
        }
        seed(seedForRoll(half, roll));
        testing::internal::CaptureStdout();
        attackRoll(&attacker, &defender);
        testing::internal::GetCapturedStdout();
        const bool won = run.console.text() == "The attacker has won!\n";
        EXPECT_EQ(won, defender.faction == &red);
        EXPECT_EQ(won, attacker.inPlay());
        wins += won ? 1 : 0;
    }
    return wins;
}

} // namespace

TEST(Combat, RollsWinAtTheirThresholds) {
    EXPECT_EQ(attackerWins(1, 1, Soldier), 5) << "10 against 10: r >= 1 of -5 … 5";
    EXPECT_EQ(attackerWins(10, 50, Farmer), 75) << "100 against 50: r >= -24 of -50 … 50";
    EXPECT_EQ(attackerWins(0, 0, Farmer), 0) << "nobody against nobody: the defender holds";
}

TEST(Combat, CaptureDefeatMergeSplitAndFounding) {
    simulationScope run;
    Faction& red = run.addFaction("Red", "Ann");
    Faction& blue = run.addFaction("Blue", "Bo");
    person* stranger = nullptr; // someone standing in another object
    testing::internal::CaptureStdout();
    {
        SCOPED_TRACE("a defeated city joins the victor's list at its end, empty, keeping its stores");
        run.addCity(red, 0, 0, "Old");
        militaryUnit& victor = run.addUnit(red, 1, 1, 1);
        city& town = run.addCity(blue, 1, 1);
        town.addNewPerson(std::make_unique<person>("P", &blue, Farmer));
        town.food = 77;
        town.defeat(&victor, 0);
        EXPECT_EQ(red.objects.back(), &town);
        EXPECT_EQ(town.numPeople(), 0);
        EXPECT_EQ(town.food, 77);
        EXPECT_EQ(town.owner, red.leader.get());
        EXPECT_FALSE(blue.contains(&town));
    }
    {
        SCOPED_TRACE("a defeated unit leaves play with nobody left");
        militaryUnit& beaten = run.addUnit(blue, 2, 2, 3);
        beaten.defeat(nullptr, 0);
        EXPECT_FALSE(beaten.inPlay());
        EXPECT_EQ(beaten.numPeople(), 0);
    }
    {
        SCOPED_TRACE("merging 8 into 50: the eight follow the fifty, and the unit leaves play");
        city& town = run.addCity(red, 3, 3);
        for (int i = 0; i < 50; ++i) {
            town.addNewPerson(std::make_unique<person>("P", &red, Farmer));
        }
        militaryUnit& unit = run.addUnit(red, 3, 3, 8);
        std::vector<person*> expected = town.people;
        expected.insert(expected.end(), unit.people.begin(), unit.people.end());
        EXPECT_EQ(merge(&unit, &town), &town);
        EXPECT_EQ(town.people, expected);
        EXPECT_TRUE(unit.people.empty());
        EXPECT_FALSE(unit.inPlay());
        EXPECT_EQ(merge(&town, &town), nullptr);
        EXPECT_EQ(merge(&unit, &town), nullptr);
        EXPECT_EQ(town.numPeople(), 58);
        stranger = town.people.front();
        EXPECT_EQ(run.console.text(), "An object can not merge into itself.\nUnit is no longer in play.\n");
    }
    run.console.clearLog();
    {
        SCOPED_TRACE(
            "splitting 3 of 10 makes a unit of 3, last in the faction; strangers stay where they are");
        militaryUnit& unit = run.addUnit(red, 4, 5, 10);
        const std::vector<person*> before = unit.people;
        EXPECT_EQ(split(&unit, {}), nullptr);
        EXPECT_EQ(unit.numPeople(), 10);
        placeableObject* part = split(&unit, {before[1], before[4], before[8], stranger});
        ASSERT_NE(part, nullptr);
        EXPECT_EQ(part->name, "Ann's split Unit");
        EXPECT_EQ(red.objects.back(), part);
        EXPECT_EQ(part->numPeople(), 3);
        EXPECT_EQ(unit.numPeople(), 7);
        EXPECT_FALSE(unit.hasPerson(before[4]));
        EXPECT_TRUE(part->hasPerson(before[4]));
        EXPECT_FALSE(part->hasPerson(stranger));
        EXPECT_EQ(part->x, 4.0f);
        EXPECT_EQ(part->food, 10000);
        EXPECT_TRUE(part->isMilitary);
    }
    {
        SCOPED_TRACE("founding a city: the unit's people move into a new city named after the leader");
        militaryUnit& settlers = run.addUnit(blue, 6, 7, 5);
        const std::vector<person*> members = settlers.people;
        city* founded = foundCity(&settlers);
        ASSERT_NE(founded, nullptr);
        EXPECT_EQ(founded->name, "Bo's city");
        EXPECT_EQ(founded->people, members);
        EXPECT_EQ(founded->x, 6.0f);
        EXPECT_EQ(founded->y, 7.0f);
        EXPECT_EQ(blue.objects.back(), founded);
        EXPECT_FALSE(settlers.inPlay());
        EXPECT_EQ(foundCity(&settlers), nullptr);
        EXPECT_EQ(split(&settlers, {members[0]}), nullptr);
        EXPECT_EQ(run.console.text(), "Unit is no longer in play.\nUnit is no longer in play.\n");
    }
    {
        SCOPED_TRACE("merging or splitting nothing stops the program");
        EXPECT_THROW(merge(nullptr, red.objects.front()), exitRequest);
        EXPECT_THROW(split(nullptr, {}), exitRequest);
    }
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("City defeat called.\nRemoved from losing faction.\nAssigned to victor.\n"),
              std::string::npos);
    EXPECT_NE(out.find("Target population: 58\nMerging person at index: 0\n"), std::string::npos);
    EXPECT_NE(out.find("Merging person at index: 7\nMerge complete\n"), std::string::npos);
    EXPECT_NE(out.find("ERROR: Attempting to merge a NULL object!\n"), std::string::npos);
    EXPECT_NE(out.find("ERROR: Attempting to split a NULL object!\n"), std::string::npos);
}
