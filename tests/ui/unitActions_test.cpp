#include "support/interfaceScope.hpp"
#include "support/quietOutput.hpp"

#include <gtest/gtest.h>

namespace {
/// Presses one of the command bar's buttons and returns what it logged.
std::string press(interfaceScope& game, commandBar::buttonIndex which) {
    game.console().clearLog();
    game.view.commandPanel->buttons[which]->press();
    return game.console().text();
}
} // namespace

TEST(UnitActions, NothingSelectedNothingHappensButCancel) {
    interfaceScope game;
    quietOutput quiet;
    for (const auto which : {commandBar::attackButton, commandBar::moveButton, commandBar::stopButton,
                             commandBar::mergeButton, commandBar::foundButton, commandBar::detailsButton}) {
        EXPECT_EQ(press(game, which), "") << which;
        EXPECT_EQ(game.controller.context, gameController::noOrder);
    }
    EXPECT_FALSE(game.view.infoPanel->visible);
    EXPECT_EQ(press(game, commandBar::cancelButton), "Action canceled.\n");
}

TEST(UnitActions, PendingOrdersStopDetailsAndFound) {
    interfaceScope game;
    Faction& mine = game.run.addFaction("Mine", "Ann");
    militaryUnit& unit = game.run.addUnit(mine, 2.0f, 3.0f, 4, "Scouts");
    game.view.commandPanel->update(&unit);
    gameController& controller = game.controller;
    quietOutput quiet;
    {
        SCOPED_TRACE("a pending order gives way to the next button's");
        press(game, commandBar::attackButton);
        press(game, commandBar::moveButton);
        EXPECT_EQ(controller.context, gameController::movePending);
        press(game, commandBar::mergeButton);
        EXPECT_EQ(controller.context, gameController::mergePending);
        press(game, commandBar::cancelButton);
    }
    {
        SCOPED_TRACE("stop: no motion, no targets, no path");
        unit.installPath({{4.0f, 3.0f}, {5.0f, 3.0f}});
        unit.setAttackTarget(&unit);
        EXPECT_EQ(press(game, commandBar::stopButton), "Stopped movement\n");
        EXPECT_FALSE(unit.moving);
        EXPECT_FALSE(unit.attacking);
        EXPECT_EQ(unit.target, nullptr);
        EXPECT_EQ(unit.travelPath, nullptr);
    }
    {
        SCOPED_TRACE("details open the info box on the selection");
        EXPECT_EQ(press(game, commandBar::detailsButton), "Showing details.\n");
        EXPECT_TRUE(game.view.infoPanel->visible);
        EXPECT_EQ(game.view.infoPanel->object, &unit);
        game.view.infoPanel->visible = false;
    }
    {
        SCOPED_TRACE("found city: Ann's city where the unit stands, holding its people; the selection stays");
        const std::vector<person*> members = unit.people;
        EXPECT_EQ(press(game, commandBar::foundButton), "Founding city.\n");
        ASSERT_EQ(mine.numObjects(), 1);
        const placeableObject& founded = *mine.objects[0];
        EXPECT_EQ(founded.name, "Ann's city");
        EXPECT_EQ(founded.x, 2.0f);
        EXPECT_EQ(founded.y, 3.0f);
        EXPECT_EQ(founded.people, members);
        EXPECT_EQ(controller.selectedObject, &unit);
    }
    {
        SCOPED_TRACE("every later action on the founder is refused with one line, Cancel still works");
        for (const auto which :
             {commandBar::attackButton, commandBar::moveButton, commandBar::stopButton,
              commandBar::mergeButton, commandBar::foundButton, commandBar::detailsButton}) {
            EXPECT_EQ(press(game, which), "Scouts is no longer in play.\n") << which;
        }
        EXPECT_EQ(controller.context, gameController::noOrder);
        EXPECT_EQ(mine.numObjects(), 1);
        EXPECT_FALSE(game.view.infoPanel->visible);
        EXPECT_EQ(press(game, commandBar::cancelButton), "Action canceled.\n");
    }
}
