#include "support/interfaceScope.hpp"
#include "support/quietOutput.hpp"

#include <gtest/gtest.h>

namespace {
/// A city of five citizens of the human's faction, its details open in the info box, in the grid view.
struct detailsScope {
    detailsScope()
        : mine(game.run.addFaction("Mine", "Me")), town(game.run.addCity(mine, 2.0f, 3.0f, "Ardmore")) {
        game.run.addPeople(town, 5, Farmer, true);
        display = 1;
        game.view.commandPanel->update(&town);
        game.view.commandPanel->buttons[commandBar::detailsButton]->press();
        game.log();
    }
    interfaceScope game;
    Faction& mine;
    city& town;
    infoBox& box = *game.view.infoPanel;
};
} // namespace

TEST(InfoBox, RowsAreButtonsInTheBoxThatChooseCitizens) {
    quietOutput quiet;
    detailsScope scope;
    infoBox& box = scope.box;
    const button& second = *box.personButtons.at(1);
    EXPECT_EQ(std::make_tuple(second.left, second.top, second.right, second.bottom,
                              second.shape.getPosition(), scope.game.controller.buttons.size()),
              std::make_tuple(660, 499, 680, 519, sf::Vector2f(0, 369), std::size_t{14}))
        << "69 apart from 300 in the box, hit-tested in the window; the bar's seven, Close, Split and the "
           "five rows registered";
    scope.game.press(second);
    EXPECT_EQ(box.selectedPeople, std::set<person*>{scope.town.people[1]});
    scope.game.press(second);
    EXPECT_TRUE(box.selectedPeople.empty()) << "a second click unchooses";
    box.scrollUp();
    box.scrollUp();
    std::tie(scope.game.view.mouseX, scope.game.view.mouseY) = std::make_pair(670, 411);
    scope.game.click(sf::Mouse::Left);
    EXPECT_EQ(std::make_pair(box.text.getPosition(), box.selectedPeople),
              std::make_pair(sf::Vector2f(25, -30), std::set<person*>{scope.town.people[0]}))
        << "the wheel moves the text and the rows 15 units a notch; a click follows the scrolled row";
    scope.town.removePerson(scope.town.people[3]);
    scope.game.press(*box.personButtons[3]);
    EXPECT_EQ(std::make_pair(scope.game.log(), box.selectedPeople.size()),
              std::make_pair(std::string("Citizen 4 is no longer in Ardmore.\n"), std::size_t{1}))
        << "a row whose citizen has gone chooses nobody";
    box.update(&scope.game.run.addUnit(scope.mine, 3.0f, 3.0f, 2));
    EXPECT_EQ(std::make_pair(box.personButtons.size(), scope.game.controller.buttons.size()),
              std::make_pair(std::size_t{2}, std::size_t{11}))
        << "another object's details replace the rows";
    scope.game.press(*box.closeButton);
    EXPECT_EQ(std::make_tuple(box.visible, scope.game.controller.buttons.size()),
              std::make_tuple(false, std::size_t{8}))
        << "Close hides the box and releases its rows";
}

TEST(InfoBox, SplitMakesAUnitOfTheChosenAndPendsItsMove) {
    quietOutput quiet;
    detailsScope scope;
    gameController& controller = scope.game.controller;
    scope.game.run.startSearches(1);
    scope.game.press(*scope.box.splitButton);
    EXPECT_EQ(
        std::make_tuple(scope.game.log(), scope.box.visible, scope.mine.numObjects()),
        std::make_tuple(
            std::string(
                "Choose the amount of resources to split.\nYou can not create a new unit of 0 population!\n"),
            true, 1));
    const std::vector<person*> before = scope.town.people;
    scope.game.press(*scope.box.personButtons[1]);
    scope.game.press(*scope.box.personButtons[3]);
    scope.game.press(*scope.box.splitButton);
    EXPECT_EQ(scope.game.log(), "Choose the amount of resources to split.\nSplit success!\nclick a location "
                                "to place the split unit.\n");
    ASSERT_EQ(scope.mine.numObjects(), 2);
    placeableObject& unit = *scope.mine.objects[1];
    EXPECT_EQ(std::make_tuple(unit.name, std::set<person*>(unit.people.begin(), unit.people.end()),
                              scope.town.people, controller.selectedObject, scope.box.visible,
                              controller.context),
              std::make_tuple(std::string("Me's split Unit"), std::set<person*>{before[1], before[3]},
                              std::vector<person*>{before[0], before[2], before[4]}, &unit, false,
                              int{gameController::movePending}));
    scope.game.pointAt(2.5f, 3.25f);
    scope.game.click(sf::Mouse::Left);
    EXPECT_EQ(std::make_pair(scope.game.log(), controller.context),
              std::make_pair(std::string("Ordering move to: (3.5)(3.25)\n"), 0))
        << "the next left click in the grid view places it";
    scope.box.update(&scope.town);
    scope.game.press(*scope.box.personButtons[0]);
    scope.mine.removeObject(&scope.town);
    scope.game.press(*scope.box.splitButton);
    EXPECT_EQ(std::make_pair(scope.game.log(), scope.town.numPeople()),
              std::make_pair(std::string("Ardmore is no longer in play.\n"), 3));
}
