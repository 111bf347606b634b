// map.png: the world at 5 pixels a cell between its caps, the objects marked, read back pixel by pixel.
#include "support/simulationScope.hpp"
#include "view/mapPicture.hpp"
#include "world/iceCap.hpp"
#include "world/terrainImage.hpp"
#include "world/worldMap.hpp"

#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>

TEST(MapPicture, TheWorldBetweenItsCapsWithEveryObjectMarkedInItsFactionsColour) {
    simulationScope run;
    worldWidth = 190; // 950 × 350 map pixels between two caps of 125 rows, stretched from 1800 to 950
    worldHeight = 70;
    worldMap map;
    map.data.fill(-6000); // deep ocean
    map.data(10, 20) = 500;
    iceCap north, south;
    north.data.fill(100);    // ice
    north.data(359, 0) = 20; // the last column, drawn at the right edge
    south.data.fill(0);      // open water
    south.data(0, 0) = 30;   // the pole, drawn at the bottom
    Faction& mine = run.addFaction("Mine", "Me");
    Faction& theirs = run.addFaction("Theirs", "Them");
    run.addCity(mine, 3.0f, 3.0f);                     // centre (150, 125 + 150)
    run.addUnit(theirs, 0.0f, 1.0f, 1);                // centre (0, 175), wrapping to the right edge
    mine.removeObject(&run.addCity(mine, 9.0f, 3.0f)); // out of play: not drawn
    const sf::Color mineColour(1, 2, 3), theirColour(200, 100, 50);
    const auto colourOf = [&](const Faction& f) { return &f == &mine ? mineColour : theirColour; };
    std::ostringstream png;
    writeMapPicture(png, map, north, south, mapMarksOf(factions, colourOf));
    sf::Image picture;
    ASSERT_TRUE(picture.loadFromMemory(png.str().data(), png.str().size()));
    EXPECT_EQ(picture.getSize(), sf::Vector2u(950, 600));
    // Pixel | colour, each worked by hand from the heights and marks above.
    const std::tuple<unsigned, unsigned, sf::Color, const char*> pixels[] = {
        {52, 227, GRASSLAND_GREEN, "cell (10, 20): 125 + 5 × 20 + 2"},
        {57, 227, DARK_BLUE, "its neighbour (11, 20)"},
        {940, 0, sf::Color::White, "north cap cell 356 (940 × 1800 / 950 = 1781)"},
        {949, 0, GREY, "north cap cell 359"},
        {0, 475, DARK_BLUE, "the south cap's first row is its open water"},
        {0, 599, GREY, "its last the pole's"},
        {150, 275, mineColour, "the city's centre"},
        {154, 279, sf::Color::Black, "the city's outline corner"},
        {4, 175, sf::Color::Black, "the unit's outline"},
        {948, 175, theirColour, "the unit across the seam"},
        {946, 175, sf::Color::Black, "its outline there"},
        {450, 275, DARK_BLUE, "where the city out of play stood"},
    };
    for (const auto& [x, y, colour, why] : pixels) {
        EXPECT_EQ(picture.getPixel(x, y), colour) << why;
    }
}
