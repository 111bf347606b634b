#include "support/quietOutput.hpp"
#include "support/simulationScope.hpp"

#include <gtest/gtest.h>

TEST(City, ItsPeopleWorkEatAndPractiseOnceADay) {
    simulationScope run;
    city& town = run.addCity(run.addFaction("Reds", "Ann"), 2, 2);
    for (const occupation job : {Farmer, Miner, Merchant, Woodcutter, Craftsman}) {
        run.addPeople(town, 1, job, true);
    }
    gameTime = 119 * SECONDS_PER_TICK;
    town.update();
    EXPECT_EQ(town.food + town.iron + town.wood + town.gold, 0) << "tick 119 is no day boundary";
    gameTime = 120 * SECONDS_PER_TICK;
    seed(1u);
    town.update();
    // Each draws 0 … 200 / 10 in turn from seed 1's 16838, 5758, 10113, 17515, 31051 (% 21: 17, 4, 12, 1,
    // 13); the craftsman's work yields nothing; five rations are eaten.
    EXPECT_EQ(std::make_tuple(town.food, town.iron, town.gold, town.wood, town.numPeople()),
              std::make_tuple(17 - 5, 4, 12, 1, 5));
    for (const person* p : town.people) {
        EXPECT_EQ(p->skills.at(p->job), 201) << occupationStrings[p->job] << " practised";
    }
}

TEST(City, BirthsNeedACoupleMoreThanAHundredRationsAndTheirOneChanceInChildChanceOverCouples) {
    simulationScope run;
    Faction& human = run.addFaction("Mine", "Me");
    Faction& enemy = run.addFaction("Theirs", "Them");
    quietOutput quiet;
    gameTime = SECONDS_PER_DAY;
    childChance = 0; // every possible birth happens
    const auto day = [&](Faction& faction, int men, int women, int food, unsigned daySeed = 1) {
        city& town = run.addCity(faction, 1, 1, "Town");
        run.addPeople(town, men, Soldier, true);
        run.addPeople(town, women, Soldier, false);
        town.food = food;
        seed(daySeed);
        town.update();
        return std::make_pair(town.numPeople() - men - women, town.food);
    };
    EXPECT_EQ(day(human, 1, 1, 102), std::make_pair(0, 100)) << "100 food after eating: no child";
    EXPECT_EQ(day(human, 1, 1, 103), std::make_pair(1, 1)) << "101: a child, for 100";
    EXPECT_EQ(human.objects.back()->people.back()->name, "Ambrose")
        << "the first name of the faction's source";
    EXPECT_EQ(day(enemy, 1, 1, 1000).first, 1);
    day(human, 1, 1, 103);
    EXPECT_EQ(run.console.text(), "A child was born in Town\nA child was born in Town (Mine)\n")
        << "an enemy's birth is not told; a city whose name another faction's has is told with its faction";
    // 30 men and 2 women make 2 couples: one chance in 5000 / 2 + 1 = 2501 a day, decided by the 33rd draw
    // after the day's 32 works. Seeds found by replaying the reference generator (an independent script):
    // 2387 draws 2501 (2501 % 2501 = 0), 1599 draws 23769 (a multiple of 1251 only), 106 draws 17201 (of 167
    // only, as 30 couples give).
    childChance = 5000;
    for (const auto& [daySeed, born] : {std::pair{2387u, 1}, std::pair{1599u, 0}, std::pair{106u, 0}}) {
        EXPECT_EQ(day(enemy, 30, 2, 1000, daySeed).first, born) << "seed " << daySeed;
    }
}

TEST(City, FoodRunningOutStarvesOneADayAndFoodEndingAtExactlyZeroStarvesNobody) {
    simulationScope run;
    gameTime = SECONDS_PER_DAY;
    city& fed = run.addCity(run.addFaction("Mine", "Me"), 1, 1, "Fed");
    run.addPeople(fed, 3, Soldier, true);
    fed.food = 3;
    fed.update();
    EXPECT_EQ(std::make_pair(fed.food, fed.numPeople()), std::make_pair(0, 3)) << "the last rations eaten";
    city& hungry = run.addCity(run.addFaction("Theirs", "Them"), 4, 4, "Hungry");
    run.addPeople(hungry, 50, Soldier, true);
    hungry.food = 10;
    hungry.update();
    EXPECT_EQ(std::make_tuple(hungry.food, hungry.numPeople(), run.console.text()),
              std::make_tuple(0, 49, std::string()))
        << "a deficit of 40 starves one, untold in an enemy's city";
    fed.update();
    EXPECT_EQ(std::make_tuple(fed.numPeople(), run.console.text()),
              std::make_tuple(2, std::string("A citizen in Fed has died of starvation!\n")));
}
