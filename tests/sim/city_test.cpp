#include "support/simulationScope.hpp"

#include <gtest/gtest.h>

namespace {

void addPeople(city& town, int count, occupation job, bool male) {
    for (int i = 0; i < count; ++i) {
        town.addNewPerson(std::make_unique<person>("P", town.faction, job))->isMale = male;
    }
}

void endOfDay(int day) {
    gameTime = static_cast<std::int64_t>(day) * SECONDS_PER_DAY;
}

} // namespace

TEST(City, FoundingAndTheDailyEconomy) {
    simulationScope run;
    Faction& faction = run.addFaction("Reds", "Ann");
    seed(2024u);
    city& town = *faction.keep(std::make_unique<city>("Ardmore", &faction, 1, 1, true));
    faction.addObject(&town);
    {
        SCOPED_TRACE("a populated city");
        EXPECT_GE(town.numPeople(), 45);
        EXPECT_LE(town.numPeople(), 55);
        EXPECT_EQ(town.people[0]->name, "PERSON_NAME");
        EXPECT_TRUE(town.purchasingAbility);
        EXPECT_EQ(town.owner, faction.leader.get());
        EXPECT_EQ(city("Empty", &faction, 0, 0, false).numPeople(), 0);
    }
    {
        SCOPED_TRACE("tick 119 changes nothing");
        gameTime = 119 * SECONDS_PER_TICK;
        town.update();
        EXPECT_EQ(town.food + town.iron + town.wood + town.gold, 0);
        EXPECT_EQ(town.people[0]->skills[town.people[0]->job], 200);
    }
    {
        SCOPED_TRACE("tick 120 works, eats and practises once");
        gameTime = 120 * SECONDS_PER_TICK;
        const int citizens = town.numPeople();
        town.update();
        // Recorded from a run on seed 2024: 11 farmers, 4 miners, 8 woodcutters and 6 merchants among 55,
        // each yielding 0 to 20; 55 food eaten; no birth, as 56 food is not enough.
        EXPECT_EQ(citizens, 55);
        EXPECT_EQ(town.food, 56);
        EXPECT_EQ(town.iron, 38);
        EXPECT_EQ(town.wood, 75);
        EXPECT_EQ(town.gold, 74);
        EXPECT_EQ(town.numPeople(), citizens);
        for (const person* p : town.people) {
            EXPECT_EQ(p->skills.at(p->job), 201);
        }
    }
}

TEST(City, BirthsStarvationAndWhoHearsOfThem) {
    simulationScope run;
    Faction& human = run.addFaction("Mine", "Me");
    Faction& enemy = run.addFaction("Theirs", "Them");
    childChance = 0; // every possible birth happens
    {
        SCOPED_TRACE("a couple with 100 food after eating cannot have a child; with 101 it can");
        city& town = run.addCity(human, 1, 1, "Home");
        addPeople(town, 1, Soldier, true);
        addPeople(town, 1, Soldier, false);
        town.food = 102;
        endOfDay(1);
        town.update();
        EXPECT_EQ(town.food, 100);
        EXPECT_EQ(town.numPeople(), 2);

        town.food = 103;
        endOfDay(2);
        testing::internal::CaptureStdout();
        town.update();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "A child was born in Home\n");
        EXPECT_EQ(town.food, 1);
        ASSERT_EQ(town.numPeople(), 3);
        EXPECT_EQ(town.people[2]->name, "CHILD_NAME");
        EXPECT_EQ(run.console.text(), "A child was born in Home\n");
    }
    run.console.clearLog();
    {
        SCOPED_TRACE(
            "an enemy birth is printed but logged only with logEnemies; a lone person has no couple");
        city& theirs = run.addCity(enemy, 2, 2, "Away");
        addPeople(theirs, 1, Soldier, true);
        addPeople(theirs, 1, Soldier, false);
        theirs.food = 1000;
        testing::internal::CaptureStdout();
        theirs.update();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "A child was born in Away\n");
        EXPECT_EQ(run.console.text(), "");
        logEnemies = true;
        testing::internal::CaptureStdout();
        theirs.update();
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(run.console.text(), "A child was born in Away\n");
        logEnemies = false;

        city& lonely = run.addCity(enemy, 3, 3, "Lonely");
        addPeople(lonely, 1, Soldier, true);
        lonely.food = 1000;
        lonely.update();
        EXPECT_EQ(lonely.numPeople(), 1);
        EXPECT_EQ(lonely.food, 999);
    }
    run.console.clearLog();
    {
        SCOPED_TRACE("a deficit of 40 starves exactly one, and the day ends with 0 food");
        city& hungry = run.addCity(enemy, 4, 4, "Hungry");
        addPeople(hungry, 50, Soldier, true);
        hungry.food = 10;
        hungry.update();
        EXPECT_EQ(hungry.numPeople(), 49);
        EXPECT_EQ(hungry.food, 0);
        EXPECT_EQ(std::count_if(hungry.peopleMade().begin(), hungry.peopleMade().end(),
                                [](const auto& p) { return !p->alive; }),
                  1);
        EXPECT_EQ(run.console.text(), "");

        city& home = run.addCity(human, 5, 5, "Famine");
        addPeople(home, 3, Soldier, true);
        home.update();
        EXPECT_EQ(home.numPeople(), 2);
        EXPECT_EQ(run.console.text(), "A citizen in Famine has died of starvation!\n");
    }
    {
        SCOPED_TRACE("an empty city eats nothing");
        city& ruin = run.addCity(enemy, 6, 6, "Ruin");
        ruin.food = 5;
        ruin.update();
        EXPECT_EQ(ruin.food, 5);
    }
}
