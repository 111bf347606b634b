// stats.csv: a header, then one row per recorded day and faction, worked by hand.
#include "app/statisticsFile.hpp"
#include "sim/Faction.hpp"
#include "sim/factionStatistics.hpp"
#include "support/simulationScope.hpp"

#include <gtest/gtest.h>

TEST(StatisticsFile, OneRowPerDayAndFactionWithNamesQuotedWhereTheyMustBe) {
    simulationScope run;
    std::vector<std::unique_ptr<Faction>> made;
    made.push_back(std::make_unique<Faction>("Plain", "A"));
    made.push_back(std::make_unique<Faction>("Ann \"Red\", Jr", "B"));
    factionStatistics statistics;
    statistics.record(1, {{{57, 1, 1, 10020, 3, 0, 9}}, {{0, 0, 0, 0, 0, 0, 0}}});
    statistics.record(40, {{{61, 2, 1, 9001, 4, 5, 6}}, {{-1, 0, 0, 0, 0, 0, 2147483647}}});
    std::ostringstream out;
    EXPECT_EQ(writeStatisticsCsv(out, statistics, made), 4u);
    // Day 40 is 9 February: 31 days of January, then 9.
    EXPECT_EQ(out.str(), "day,date,faction,people,cities,units,food,wood,iron,gold,faction number\n"
                         "1,1970-01-01,Plain,57,1,1,10020,3,0,9,1\n"
                         "1,1970-01-01,\"Ann \"\"Red\"\", Jr\",0,0,0,0,0,0,0,2\n"
                         "40,1970-02-09,Plain,61,2,1,9001,4,5,6,1\n"
                         "40,1970-02-09,\"Ann \"\"Red\"\", Jr\",-1,0,0,0,0,0,2147483647,2\n");
}
