#include "support/interfaceScope.hpp"
#include "support/quietOutput.hpp"
#include "support/testFiles.hpp"

#include <gtest/gtest.h>

TEST(PanelRefresh, DetailsAndInfoBoxFollowTheObjectUntilItLeavesPlay) {
    quietOutput quiet;
    interfaceScope game;
    Faction& mine = game.run.addFaction("Mine", "Me");
    city& town = game.run.addCity(mine, 2.0f, 3.0f, "Årdmore");
    commandBar& details = *game.view.commandPanel;
    infoBox& box = *game.view.infoPanel;
    details.update(&town);
    box.update(&town);
    const auto shows = [&](const sf::String& line) {
        details.refresh();
        box.refresh();
        return std::make_pair(details.panelText.getString().find(line) != sf::String::InvalidPos,
                              box.text.getString().find(line) != sf::String::InvalidPos);
    };
    town.food = 27;
    EXPECT_EQ(shows("Food: 27"), std::make_pair(true, true)) << "the food of now, not of the selection";
    town.addNewPerson(std::make_unique<person>("Newborn", &mine, Farmer));
    EXPECT_EQ(shows("1. Newborn"), std::make_pair(false, true));
    EXPECT_EQ(box.personButtons.size(), 1u) << "a row for the citizen born while the box is open";
    mine.removeObject(&town);
    EXPECT_EQ(shows(L"Årdmore (no longer in play)\ncoordinates: (3, 3)"), std::make_pair(true, true))
        << "its name drawn from UTF-8";
}
