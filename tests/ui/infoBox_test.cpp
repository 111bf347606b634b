#include "support/interfaceScope.hpp"
#include "support/quietOutput.hpp"

#include <gtest/gtest.h>

TEST(InfoBox, RowsAreButtonsInTheBoxThatChooseCitizensForASplit) {
    quietOutput quiet;
    interfaceScope game;
    Faction& mine = game.run.addFaction("Mine", "Me");
    city& town = game.run.addCity(mine, 2.0f, 3.0f, "Ardmore");
    game.run.addPeople(town, 5, Farmer, true);
    display = 1;
    game.view.commandPanel->update(&town);
    game.view.commandPanel->buttons[commandBar::detailsButton]->press();
    infoBox& box = *game.view.infoPanel;
    const button& second = *box.personButtons.at(1);
    EXPECT_EQ(std::make_tuple(second.left, second.top, second.right, second.bottom,
                              second.shape.getPosition(), game.controller.buttons.size()),
              std::make_tuple(660, 499, 680, 519, sf::Vector2f(0, 369), std::size_t{14}))
        << "69 apart from 300 in the box, hit-tested in the window; the bar's seven, Close, Split and the "
           "five rows registered";
    game.press(second);
    game.press(second);
    EXPECT_TRUE(box.selectedPeople.empty()) << "a second click unchooses";
    box.scrollUp();
    box.scrollUp();
    std::tie(game.view.mouseX, game.view.mouseY) = std::make_pair(670, 411);
    game.click(sf::Mouse::Left);
    EXPECT_EQ(std::make_pair(box.text.getPosition(), box.selectedPeople),
              std::make_pair(sf::Vector2f(25, -30), std::set<person*>{town.people[0]}))
        << "the wheel moves the text and the rows 15 units a notch; a click follows the scrolled row";
    const std::vector<person*> before = town.people;
    town.removePerson(before[3]);
    std::tie(town.food, town.gold, town.equipment[horse]) = std::make_tuple(1001, 7, 3);
    game.log();
    game.press(*box.personButtons[3]);
    game.press(*box.personButtons[2]);
    humanPlayer->person = nullptr; // as if the city were someone else's
    game.press(*box.splitButton);
    humanPlayer->person = mine.leader.get();
    game.press(*box.splitButton);
    EXPECT_EQ(game.log(),
              "Citizen 4 is no longer in Ardmore.\nYou can not split an object that you do not "
              "own.\nSplit success! The new unit takes 2 of 4 people and their share of the goods "
              "and gear: 500 food, 3 gold, 0 wood, 0 iron, 1 horse.\nclick a location to place "
              "the split unit.\n");
    const placeableObject& unit = *mine.objects.back();
    EXPECT_EQ(std::make_tuple(std::set<person*>(unit.people.begin(), unit.people.end()), town.people,
                              game.controller.selectedObject, box.visible, game.controller.context,
                              game.controller.buttons.size()),
              std::make_tuple(std::set<person*>{before[0], before[2]},
                              std::vector<person*>{before[1], before[4]}, &unit, false,
                              int{gameController::movePending}, std::size_t{8}))
        << "the split unit is selected and its move pending; the box closed and released its rows";
}
