#include "support/simulationScope.hpp"
#include "view/factionColours.hpp"
#include "world/terrainImage.hpp"

#include <cmath>
#include <gtest/gtest.h>

TEST(FactionColours, NeighboursAcrossTheSeamTooDifferNoneIsATerrainColourAndTheHumansIsKept) {
    const auto distance = [](sf::Color a, sf::Color b) {
        return std::hypot(a.r - b.r, a.g - b.g, a.b - b.b);
    };
    std::vector<sf::Color> avoided = {SELECTION_COLOUR, factionColours::HUMAN_COLOUR};
    for (int h = -10000; h <= 10000; h += 25) {
        avoided.push_back(terrainColour(h));
        avoided.push_back(iceCapColour(h));
    }
    for (const sf::Color colour : factionColours::palette()) {
        for (const sf::Color other : avoided) {
            EXPECT_GE(distance(colour, other), 60.0) << "palette colour " << sf::Color(colour).toInteger();
        }
        avoided.push_back(colour); // and apart from the palette's others
    }
    // Nine computer factions in a row round the seam of a world 19 grids wide, one grid apart, and the human.
    simulationScope run;
    Faction& human = run.addFaction("Mine", "Me");
    run.addCity(human, 9.5f, 4.0f);
    const float across[] = {14.5f, 15.5f, 16.5f, 17.5f, 18.5f, 0.5f, 1.5f, 2.5f, 3.5f};
    for (const float x : across) {
        run.addCity(run.addFaction("F", "L"), x, 1.0f);
    }
    const factionColours colours(factions, &human, 19);
    EXPECT_EQ(std::make_pair(colours.colourOf(human), colours.colourOf(Faction("Later", "L"))),
              std::make_pair(factionColours::HUMAN_COLOUR, factionColours::UNKNOWN_COLOUR));
    for (std::size_t i = 1; i < factions.size(); ++i) {
        for (std::size_t j = 1; j < i; ++j) {
            const float apart = std::fabs(across[i - 1] - across[j - 1]);
            if (std::min(apart, 19 - apart) <= 3.0f) { // among the six nearest of each other
                EXPECT_NE(colours.colourOf(*factions[i]), colours.colourOf(*factions[j])) << i << ", " << j;
            }
        }
    }
}
