// What a chart shows apart from drawing: the factions charted, the axes, and the point under the mouse.
#include "ui/chartLayout.hpp"

#include <gtest/gtest.h>

namespace {
/// Days 1 to 3 of factions whose people are given by day: {faction 0's, faction 1's, …} for each day.
factionStatistics peopleByDay(const std::vector<std::vector<std::int32_t>>& days) {
    factionStatistics statistics;
    for (std::size_t d = 0; d < days.size(); ++d) {
        std::vector<factionTotals> totals(days[d].size());
        for (std::size_t f = 0; f < totals.size(); ++f) {
            totals[f][statistic::people] = days[d][f];
        }
        statistics.record(static_cast<int>(d) + 1, totals);
    }
    return statistics;
}
} // namespace

TEST(ChartLayout, TheFiveLargestAndThePlayerOnNiceAxes) {
    const factionStatistics last = peopleByDay({{0, 0, 0, 0, 0, 0, 0, 0}, {5, 9, 7, 9, 1, 8, 2, 6}});
    EXPECT_EQ(chartedFactions(last, statistic::people, 6), (std::vector<std::size_t>{1, 3, 5, 2, 7, 6}))
        << "by the last day, a tie in the game's order, the player's after them";
    EXPECT_EQ(chartedFactions(last, statistic::people, 2), (std::vector<std::size_t>{1, 3, 5, 2, 7}));
    // The largest value, the axis's top and step, worked by hand (no step of 2.5 under 10: 11 steps by 5).
    for (const auto& [high, top, step] : std::vector<std::tuple<double, double, double>>{
             {0, 1, 1}, {3, 3, 1}, {57, 60, 20}, {10406, 12500, 2500}, {365, 400, 100}, {11, 15, 5}}) {
        const chartAxis axis = niceAxis(high);
        EXPECT_EQ(std::make_pair(axis.top, axis.step), std::make_pair(top, step)) << high;
    }
    EXPECT_EQ(axisLabel(9999) + " " + axisLabel(12000) + " " + axisLabel(12500) + " " + axisLabel(1500000),
              "9999 12k 12.5k 1.5M");
}

TEST(ChartLayout, TheMouseFindsTheLineItIsOverAndItsNearestDay) {
    // Faction 0: 10, 20, 30 people; faction 1: 30 each day. On a 300 × 300 plot, 0 to 3 days across and 0
    // to 30 people up, day d lies at x = 100 d, and n people at y = 300 − 10 n.
    const factionStatistics statistics = peopleByDay({{10, 30}, {20, 30}, {30, 30}});
    const std::vector<std::size_t> charted{0, 1};
    const chartFrame frame = frameFor(statistics, statistic::people, charted, {0, 0, 300, 300});
    struct Case {
        float x, y;
        int faction, day, value;
        const char* why;
    };
    const Case cases[] = {{140, 160, 0, 1, 10, "on faction 0's rising line, nearer day 1"},
                          {260, 5, 1, 3, 30, "near the flat line, nearer day 3"},
                          {140, 100, -1, 0, 0, "between the lines, out of reach of both"},
                          {95, 200, 0, 1, 10, "just before day 1's point"},
                          {50, 200, -1, 0, 0, "far before the first day"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const std::optional<chartPoint> found =
            pointUnderMouse(statistics, statistic::people, charted, frame, {c.x, c.y}, 12);
        EXPECT_EQ(found ? std::make_tuple(static_cast<int>(found->faction), found->day, found->value)
                        : std::make_tuple(-1, 0, 0),
                  std::make_tuple(c.faction, c.day, c.value));
    }
}
