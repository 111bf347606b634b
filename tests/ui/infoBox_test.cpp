#include "support/interfaceScope.hpp"
#include "support/quietOutput.hpp"
#include "support/testFiles.hpp"

#include <gtest/gtest.h>

namespace {
/// A city of five citizens of the human's faction, its details open in the info box, in the grid view.
struct detailsScope {
    detailsScope()
        : mine(game.run.addFaction("Mine", "Me")), town(game.run.addCity(mine, 2.0f, 3.0f, "Ardmore")) {
        for (int i = 0; i < 5; ++i) {
            town.addNewPerson(std::make_unique<person>("Citizen", &mine, Farmer));
        }
        display = 1;
        game.view.commandPanel->update(&town);
        game.view.commandPanel->buttons[commandBar::detailsButton]->press();
    }
    infoBox& box() { return *game.view.infoPanel; }
    /// A left click in the middle of a button's hit rectangle.
    void clickOn(const button& target) {
        game.view.mouseX = (target.left + target.right) / 2;
        game.view.mouseY = (target.top + target.bottom) / 2;
        game.click(sf::Mouse::Left);
    }
    std::string log() const { return game.view.console->text(); }

    interfaceScope game;
    Faction& mine;
    city& town;
};
} // namespace

TEST(InfoBox, RowsAreButtonsInTheBoxThatChooseCitizens) {
    quietOutput quiet;
    detailsScope scope;
    infoBox& box = scope.box();
    {
        SCOPED_TRACE("one X per citizen, 69 apart from 300 in the box, hit-tested in the window");
        ASSERT_EQ(box.personButtons.size(), 5u);
        const button& second = *box.personButtons[1];
        EXPECT_EQ(std::vector<int>({second.left, second.top, second.right, second.bottom}),
                  std::vector<int>({660, 499, 680, 519}));
        EXPECT_EQ(second.shape.getPosition(), sf::Vector2f(0, 369));
        EXPECT_EQ(second.data, scope.town.people[1]);
        // The bar's seven, Close, Split, then the rows.
        EXPECT_EQ(scope.game.controller.buttons.size(), 14u);
    }
    {
        SCOPED_TRACE("clicking an X twice chooses, then unchooses");
        scope.clickOn(*box.personButtons[1]);
        EXPECT_EQ(box.selectedPeople, std::set<person*>{scope.town.people[1]});
        scope.clickOn(*box.personButtons[1]);
        EXPECT_TRUE(box.selectedPeople.empty());
    }
    {
        SCOPED_TRACE("the wheel moves the text and the rows by 15 units a notch; a click follows the row");
        box.scrollUp();
        box.scrollUp();
        EXPECT_EQ(box.text.getPosition(), sf::Vector2f(25, -30));
        EXPECT_EQ(box.personButtons[0]->top, 400);
        scope.game.view.mouseX = 670;
        scope.game.view.mouseY = 411;
        scope.game.click(sf::Mouse::Left);
        EXPECT_EQ(box.selectedPeople, std::set<person*>{scope.town.people[0]});
    }
    {
        SCOPED_TRACE("rows scrolled out of the box take no clicks");
        for (int notch = 0; notch < 15; ++notch) {
            box.scrollDown();
        }
        EXPECT_EQ(box.personButtons[4]->top, 901) << "the box's content ends at 900";
        box.selectedPeople.clear();
        scope.clickOn(*box.personButtons[4]);
        EXPECT_TRUE(box.selectedPeople.empty());
        EXPECT_EQ(scope.game.controller.selectedObject, &scope.town) << "nothing under the click either";
    }
    {
        SCOPED_TRACE("a citizen who has left the city: said so, not chosen");
        person* gone = scope.town.people[3];
        scope.town.removePerson(gone);
        scope.game.console().clearLog();
        scope.clickOn(*box.personButtons[3]);
        EXPECT_EQ(scope.log(), "Citizen 4 is no longer in Ardmore.\n");
        EXPECT_TRUE(box.selectedPeople.empty());
    }
    {
        SCOPED_TRACE("details of another object replace the rows; the old ones are out of the registry");
        militaryUnit& unit = scope.game.run.addUnit(scope.mine, 3.0f, 3.0f, 2, "Scouts");
        const button* oldRow = box.personButtons[0].get();
        box.update(&unit);
        EXPECT_EQ(box.personButtons.size(), 2u);
        EXPECT_EQ(scope.game.controller.buttons.size(), 11u);
        EXPECT_EQ(
            std::count(scope.game.controller.buttons.begin(), scope.game.controller.buttons.end(), oldRow),
            0);
    }
    {
        SCOPED_TRACE("close hides the box and releases its rows; then its Close takes no clicks");
        scope.clickOn(*box.closeButton);
        EXPECT_FALSE(box.visible);
        EXPECT_TRUE(box.personButtons.empty());
        EXPECT_EQ(scope.game.controller.buttons.size(), 8u);
        EXPECT_FALSE(box.closeButton->isHit(670, 110, 1.0f));
    }
    const std::string out = quiet.take();
    EXPECT_EQ(countOf(out, "Inserted person selection\n"), 2u);
    EXPECT_EQ(countOf(out, "Removed person selection\n"), 1u);
    EXPECT_EQ(countOf(out, "Populating button with person: "), 7u);
}

TEST(InfoBox, SplitMakesAUnitOfTheChosenAndPendsItsMove) {
    quietOutput quiet;
    detailsScope scope;
    infoBox& box = scope.box();
    gameController& controller = scope.game.controller;
    scope.game.run.startSearches(1);
    {
        SCOPED_TRACE("nobody chosen: refused, the box stays open");
        scope.game.console().clearLog();
        scope.clickOn(*box.splitButton);
        EXPECT_EQ(
            scope.log(),
            "Choose the amount of resources to split.\nYou can not create a new unit of 0 population!\n");
        EXPECT_TRUE(box.visible);
        EXPECT_EQ(scope.mine.numObjects(), 1);
    }
    const std::vector<person*> before = scope.town.people;
    scope.clickOn(*box.personButtons[1]);
    scope.clickOn(*box.personButtons[3]);
    scope.game.console().clearLog();
    scope.clickOn(*box.splitButton);
    {
        SCOPED_TRACE("two of five: a new unit of two, selected, the box closed, its move pending");
        EXPECT_EQ(scope.log(), "Choose the amount of resources to split.\nSplit success!\n"
                               "click a location to place the split unit.\n");
        ASSERT_EQ(scope.mine.numObjects(), 2);
        placeableObject& unit = *scope.mine.objects[1];
        EXPECT_EQ(unit.name, "Me's split Unit");
        EXPECT_EQ(std::set<person*>(unit.people.begin(), unit.people.end()),
                  (std::set<person*>{before[1], before[3]}));
        EXPECT_EQ(scope.town.people, (std::vector<person*>{before[0], before[2], before[4]}));
        EXPECT_EQ(controller.selectedObject, &unit);
        EXPECT_EQ(scope.game.view.commandPanel->selected, &unit);
        EXPECT_FALSE(box.visible);
        EXPECT_EQ(controller.context, gameController::movePending);
        EXPECT_EQ(controller.buttons.size(), 8u) << "rows and Split released";
    }
    {
        SCOPED_TRACE("the next left click in the grid view places it");
        scope.game.console().clearLog();
        scope.game.view.mouseX = 400;
        scope.game.view.mouseY = 700;
        scope.game.pointAt(2.5f, 3.25f);
        scope.game.click(sf::Mouse::Left);
        EXPECT_EQ(scope.log(), "Ordering move to: (3.5)(3.25)\n");
        EXPECT_EQ(controller.context, gameController::noOrder);
    }
    {
        SCOPED_TRACE("a split from a city that has left play is refused");
        box.update(&scope.town);
        scope.clickOn(*box.personButtons[0]);
        scope.mine.removeObject(&scope.town);
        scope.game.console().clearLog();
        scope.clickOn(*box.splitButton);
        EXPECT_EQ(scope.log(), "Ardmore is no longer in play.\n");
        EXPECT_EQ(scope.town.numPeople(), 3);
    }
}
