#include "support/simulationScope.hpp"
#include "view/factionColours.hpp"
#include "view/mapMarks.hpp"

#include <cmath>
#include <gtest/gtest.h>

TEST(MapMarks, EveryObjectInPlayOnEachCopyOfTheMapShownInItsFactionsColourTheSelectedLast) {
    simulationScope run;
    Faction& human = run.addFaction("Mine", "Me");
    Faction& other = run.addFaction("Theirs", "Them");
    run.addCity(human, 2.5f, 3.0f);
    militaryUnit& scouts = run.addUnit(human, -0.5f, 2.0f, 1); // crossed the seam westwards
    run.addCity(other, 10.0f, 4.0f);
    run.addCity(other, 10.0f, 25.0f); // below the area
    militaryUnit& gone = run.addUnit(other, 5.0f, 5.0f, 1);
    other.removeObject(&gone);
    const factionColours colours(factions, &human, 19);
    // One map pixel a window unit: the 950 pixels of a 19-grid world, 50 a grid, then its second copy.
    const sf::View camera(sf::FloatRect(0, 0, 1920, 1080));
    const std::vector<mapMark> marks =
        mapMarks(factions, colours, &scouts, camera, sf::FloatRect(0, 0, 1920, 1080), 19);
    const sf::Color mine = factionColours::HUMAN_COLOUR, theirs = colours.colourOf(other);
    const std::vector<std::tuple<long, long, sf::Color, bool, bool>> expected = {
        {125, 150, mine, true, false},    {1075, 150, mine, true, false}, {500, 200, theirs, true, false},
        {1450, 200, theirs, true, false}, {925, 100, mine, false, true},  {1875, 100, mine, false, true}};
    ASSERT_EQ(marks.size(), expected.size());
    for (std::size_t i = 0; i < marks.size(); ++i) {
        EXPECT_EQ(std::make_tuple(std::lround(marks[i].centre.x), std::lround(marks[i].centre.y),
                                  marks[i].colour, marks[i].city, marks[i].selected),
                  expected[i])
            << "mark " << i;
    }
    EXPECT_NE(theirs, mine);
}
