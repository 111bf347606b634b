// Every faction's totals at the end of every game day, and the thinning that bounds them.
#include "sim/factionStatistics.hpp"
#include "support/simulationScope.hpp"
#include "ui/gameController.hpp"

#include <gtest/gtest.h>

TEST(FactionStatistics, TheTickThatEndsADayRecordsTheTotalsOfTheObjectsInPlay) {
    simulationScope run;
    Faction& mine = run.addFaction("Mine", "Me");
    Faction& theirs = run.addFaction("Theirs", "Them");
    city& town = run.addCity(mine, 2.0f, 2.0f);
    simulationScope::addPeople(town, 10, Craftsman, true); // craftsmen make nothing; no couple, no child
    town.food = 500;
    town.wood = 7;
    town.iron = 3;
    town.gold = 11;
    run.addUnit(mine, 3.0f, 2.0f, 4);                         // 10000 food
    mine.removeObject(&run.addUnit(mine, 4.0f, 2.0f, 6));     // out of play: not counted
    city& hungry = run.addCity(theirs, 6.0f, 2.0f, "Hungry"); // eats 3 of its 1 food: one starves
    simulationScope::addPeople(hungry, 3, Soldier, true);
    hungry.food = 1;
    sf::Time now;
    gameController game([&now] { return now; });
    gameTime = SECONDS_PER_DAY - 2 * SECONDS_PER_TICK;
    for (int tick = 0; tick < 3; ++tick) { // the last ends day 1, the next begins day 2
        now += sf::milliseconds(game.tickInterval + 1);
        ASSERT_TRUE(game.processGameTick());
        EXPECT_EQ(game.statistics.days().size(), tick == 0 ? 0u : 1u);
    }
    // Worked by hand: the city eats 10 (490 left) and the unit 4 (9996); the hungry city is left 2 and 0.
    const factionStatistics::day& day = game.statistics.days().at(0);
    EXPECT_EQ(day.number, 1);
    EXPECT_EQ(day.factions,
              (std::vector<factionTotals>{{{14, 1, 1, 10486, 7, 3, 11}}, {{2, 1, 0, 0, 0, 0, 0}}}));
}

TEST(FactionStatistics, OnceFullEveryOtherDayIsDroppedAndTheSpacingDoubledTheLatestDayKept) {
    // Days recorded (1 … last) into a capacity of 8 | the days held, worked by hand: at 8 held, the even
    // places stay and the spacing doubles; a day off the spacing is held only while it is the latest.
    for (const std::vector<std::string>& row : tableRows(R"(
            7     | 1 2 3 4 5 6 7
            8     | 1 3 5 7 8
            13    | 1 3 5 7 9 11 13
            14    | 1 5 9 13 14
            20    | 1 5 9 13 17 20
            10000 | 1 2049 4097 6145 8193 10000)")) {
        factionStatistics statistics(8);
        for (int number = 1; number <= std::stoi(row[0]); ++number) {
            std::vector<factionTotals> totals(1);
            totals[0][statistic::people] = number;
            statistics.record(number, totals);
        }
        std::string held;
        for (const factionStatistics::day& day : statistics.days()) {
            held += (held.empty() ? "" : " ") + std::to_string(day.number);
            EXPECT_EQ(day.factions.at(0)[statistic::people], day.number);
        }
        EXPECT_EQ(held, row[1]) << row[0] << " days";
    }
}
