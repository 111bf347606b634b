#include "support/interfaceScope.hpp"
#include "support/quietOutput.hpp"
#include "support/testFiles.hpp"

#include <gtest/gtest.h>

namespace {
/// The human's unit and city and a foreign unit on a 19-grid-wide world, in the grid view, with path
/// searches.
struct ordersScope {
    ordersScope()
        : mine(game.run.addFaction("Mine", "Me")), theirs(game.run.addFaction("Theirs", "Them")),
          unit(game.run.addUnit(mine, 2.0f, 3.0f, 3, "Scouts")),
          home(game.run.addCity(mine, 4.0f, 3.0f, "Home")),
          raiders(game.run.addUnit(theirs, 6.0f, 3.0f, 3, "Raiders")), searches(game.run.startSearches(1)) {
        display = 1;
        // Clicks land on the map, clear of every panel.
        game.view.mouseX = 400;
        game.view.mouseY = 700;
    }
    /// Clicks with the cursor on `object` (or on the world point (x, y) in object coordinates).
    void clickOn(const placeableObject& object, sf::Mouse::Button which) {
        clickAt(object.x, object.y, which);
    }
    void clickAt(float x, float y, sf::Mouse::Button which) {
        game.pointAt(x, y);
        game.click(which);
    }
    /// The log since the last call, after the searches asked for have ended.
    std::string log() {
        EXPECT_TRUE(searches.waitUntilIdle(std::chrono::steady_clock::now() + std::chrono::minutes(1)));
        const std::string text = game.console().text();
        game.console().clearLog();
        return text;
    }
    void press(commandBar::buttonIndex which) { game.view.commandPanel->buttons[which]->press(); }

    interfaceScope game;
    Faction& mine;
    Faction& theirs;
    militaryUnit& unit;
    city& home;
    militaryUnit& raiders;
    pathSearchPool& searches;
};
} // namespace

TEST(GameControllerInput, OrderContextGoesThroughEveryTransition) {
    quietOutput quiet;
    ordersScope scope;
    gameController& controller = scope.game.controller;
    scope.game.console().clearLog();
    {
        SCOPED_TRACE("state 0, nothing selected: the buttons and a right click change nothing");
        scope.press(commandBar::moveButton);
        scope.press(commandBar::attackButton);
        scope.press(commandBar::mergeButton);
        scope.clickAt(8.0f, 3.0f, sf::Mouse::Right);
        EXPECT_EQ(controller.context, gameController::noOrder);
        EXPECT_EQ(scope.log(), "");
    }
    {
        SCOPED_TRACE("state 0: a left click on nothing does nothing; on an object, selects it");
        scope.clickAt(8.0f, 1.0f, sf::Mouse::Left);
        EXPECT_EQ(controller.selectedObject, nullptr);
        scope.clickOn(scope.unit, sf::Mouse::Left);
        EXPECT_EQ(controller.selectedObject, &scope.unit);
        EXPECT_EQ(scope.game.view.commandPanel->selected, &scope.unit);
    }
    {
        SCOPED_TRACE("state 0: a right click attacks a foreign object, and moves elsewhere");
        scope.clickOn(scope.raiders, sf::Mouse::Right);
        EXPECT_EQ(scope.log(), "Ordering attack on Raiders (7)(3)\n");
        EXPECT_EQ(scope.unit.target, &scope.raiders);
        scope.clickOn(scope.home, sf::Mouse::Right);
        EXPECT_EQ(scope.log(), "Ordering move to: (5)(3)\n");
        EXPECT_EQ(scope.unit.target, nullptr);
    }
    {
        SCOPED_TRACE("1, move pending: a left click moves and ends it; Cancel ends it too");
        scope.press(commandBar::moveButton);
        EXPECT_EQ(controller.context, gameController::movePending);
        scope.clickAt(3.5f, 3.5f, sf::Mouse::Left);
        EXPECT_EQ(controller.context, gameController::noOrder);
        scope.press(commandBar::moveButton);
        scope.press(commandBar::cancelButton);
        EXPECT_EQ(controller.context, gameController::noOrder);
        scope.clickOn(scope.home, sf::Mouse::Left);
        EXPECT_EQ(controller.selectedObject, &scope.home) << "after Cancel a left click selects";
        scope.clickOn(scope.unit, sf::Mouse::Left);
        EXPECT_EQ(scope.log(), "Select a location to order the move.\nOrdering move to: (4.5)(3.5)\n"
                               "Select a location to order the move.\nAction canceled.\n");
    }
    {
        SCOPED_TRACE("1: a right click acts as in state 0 and ends the pending move");
        scope.press(commandBar::moveButton);
        scope.clickOn(scope.raiders, sf::Mouse::Right);
        EXPECT_EQ(controller.context, gameController::noOrder);
        EXPECT_EQ(scope.log(), "Select a location to order the move.\nOrdering attack on Raiders (7)(3)\n");
    }
    {
        SCOPED_TRACE("2, attack pending: own objects are passed over, a foreign one is attacked");
        scope.press(commandBar::attackButton);
        scope.clickOn(scope.home, sf::Mouse::Left);
        EXPECT_EQ(controller.context, gameController::attackPending);
        EXPECT_EQ(controller.selectedObject, &scope.unit);
        scope.clickOn(scope.raiders, sf::Mouse::Left);
        EXPECT_EQ(controller.context, gameController::noOrder);
        EXPECT_EQ(scope.log(), "Select a unit to order the attack.\nOrdering attack on Raiders (7)(3)\n");
    }
    {
        SCOPED_TRACE("2: a right click on an own object orders a move there");
        scope.press(commandBar::attackButton);
        scope.clickOn(scope.home, sf::Mouse::Right);
        EXPECT_EQ(controller.context, gameController::noOrder);
        EXPECT_EQ(scope.log(), "Select a unit to order the attack.\nOrdering move to: (5)(3)\n");
    }
    {
        SCOPED_TRACE("3, merge pending: foreign objects are passed over, an own one is merged into");
        scope.press(commandBar::mergeButton);
        scope.clickOn(scope.raiders, sf::Mouse::Left);
        EXPECT_EQ(controller.context, gameController::mergePending);
        scope.clickOn(scope.home, sf::Mouse::Left);
        EXPECT_EQ(controller.context, gameController::noOrder);
        EXPECT_TRUE(scope.unit.merging);
        EXPECT_EQ(scope.log(), "Select a unit to merge into.\nOrdering merge on Home (5)(3)\n");
    }
    {
        SCOPED_TRACE("a refused order ends the pending state too");
        scope.clickOn(scope.raiders, sf::Mouse::Left);
        EXPECT_EQ(controller.selectedObject, &scope.raiders);
        scope.press(commandBar::moveButton);
        scope.clickAt(7.0f, 2.0f, sf::Mouse::Left);
        EXPECT_EQ(controller.context, gameController::noOrder);
        EXPECT_EQ(scope.log(),
                  "Select a location to order the move.\nYou can not move an object that you do not "
                  "own.\n");
    }
}

TEST(GameControllerInput, LeftClicksPressButtonsOnlyInTheGridViews) {
    quietOutput quiet;
    ordersScope scope;
    gameController& controller = scope.game.controller;
    scope.game.view.commandPanel->update(&scope.unit);
    scope.game.view.mouseX = 1467;
    scope.game.view.mouseY = 1030;
    {
        SCOPED_TRACE("on the world map a click on Attack does nothing");
        display = 0;
        scope.game.click(sf::Mouse::Left);
        EXPECT_EQ(controller.context, gameController::noOrder);
    }
    {
        SCOPED_TRACE("in the cell view it presses Attack, whatever lies under the cursor");
        display = 2;
        scope.game.pointAt(scope.raiders.x, scope.raiders.y);
        scope.game.click(sf::Mouse::Left);
        EXPECT_EQ(controller.context, gameController::attackPending);
    }
    {
        SCOPED_TRACE("with scale 2 the same window pixel lies left of every button");
        scale = 2.0f;
        controller.context = gameController::noOrder;
        scope.game.click(sf::Mouse::Left);
        EXPECT_EQ(controller.context, gameController::noOrder);
        EXPECT_EQ(controller.selectedObject, &scope.raiders);
    }
    const std::string out = quiet.take();
    EXPECT_EQ(countOf(out, "Button clicked!\n"), 1u) << out;
}

TEST(GameControllerInput, ObjectsAcrossTheSeamAreFoundTheShortWayRound) {
    quietOutput quiet;
    ordersScope scope;
    gameController& controller = scope.game.controller;
    // A unit that walked east across the seam of the 19-grid world stores an x past 19.
    militaryUnit& east = scope.game.run.addUnit(scope.mine, 19.2f, 3.0f, 1, "Beyond");
    militaryUnit& west = scope.game.run.addUnit(scope.mine, -0.3f, 3.0f, 1, "Before");
    {
        SCOPED_TRACE("a cursor inside the world finds a unit stored beyond it, either way");
        scope.game.pointAt(0.2f, 3.0f);
        scope.game.click(sf::Mouse::Left);
        EXPECT_EQ(controller.selectedObject, &east);
        scope.game.pointAt(18.7f, 3.0f);
        scope.game.click(sf::Mouse::Left);
        EXPECT_EQ(controller.selectedObject, &west);
    }
    {
        SCOPED_TRACE("a cursor beyond the world (the view at the seam) finds a unit inside it");
        militaryUnit& edge = scope.game.run.addUnit(scope.mine, 18.0f, 3.0f, 1, "Edge");
        scope.game.pointAt(-1.0f, 3.0f);
        scope.game.click(sf::Mouse::Left);
        EXPECT_EQ(controller.selectedObject, &edge);
    }
    {
        SCOPED_TRACE("a move ordered past the seam heads the short way, into the world's last column");
        controller.selectedObject = &scope.unit;
        scope.unit.x = 0.5f;
        scope.game.view.gridViewer->cursorX = 0.75f;
        scope.game.view.gridViewer->cursorY = 3.0f;
        scope.game.click(sf::Mouse::Right);
        ASSERT_TRUE(scope.searches.waitUntilIdle(std::chrono::steady_clock::now() + std::chrono::minutes(1)));
        const std::lock_guard<std::mutex> lock(scope.unit.pathMutex);
        ASSERT_NE(scope.unit.travelPath, nullptr);
        EXPECT_FLOAT_EQ(scope.unit.travelPath->back().first, -0.25f);
        EXPECT_LT(scope.unit.destX, 0.5f) << "westward across the seam, not 18 grids east";
    }
}

TEST(GameControllerInput, TooltipFollowsTheMouseOverObjects) {
    quietOutput quiet;
    ordersScope scope;
    gameController& controller = scope.game.controller;
    tooltipView& tooltip = scope.game.view.tooltip;
    gridView& grids = *scope.game.view.gridViewer;
    // View mode 1 around grid (3, 3): the window pixel of world point (x, y) is ((x + 1 − 3 + 4) × 213,
    // (y − 3 + 2) × 213).
    scope.game.view.gridX = 3;
    scope.game.view.gridY = 3;
    const auto pixelOf = [](float x, float y) {
        return sf::Vector2i(static_cast<int>((x + 2.0f) * 213.0f), static_cast<int>((y - 1.0f) * 213.0f));
    };
    {
        SCOPED_TRACE(
            "over the unit: the card, placed 15 pixels right of the mouse; the cursor follows the move");
        const sf::Vector2i at = pixelOf(scope.unit.x, scope.unit.y);
        controller.mouseMovedTo(at.x, at.y);
        EXPECT_NEAR(grids.cursorX, 3.0f, 0.01f);
        EXPECT_TRUE(tooltip.visible);
        EXPECT_EQ(tooltip.text.getString().toAnsiString().substr(0, 15), "Scouts (3, 3) \n");
        EXPECT_EQ(tooltip.box.getPosition(),
                  sf::Vector2f(static_cast<float>(at.x) + 15, static_cast<float>(at.y)));
    }
    {
        SCOPED_TRACE("two objects under the cursor: the card shows the last, a click takes the first");
        militaryUnit& second = scope.game.run.addUnit(scope.theirs, 2.01f, 3.01f, 1, "Second");
        const sf::Vector2i at = pixelOf(2.005f, 3.005f);
        controller.mouseMovedTo(at.x, at.y);
        EXPECT_EQ(tooltip.text.getString().toAnsiString().substr(0, 6), "Second");
        scope.game.click(sf::Mouse::Left);
        EXPECT_EQ(controller.selectedObject, &scope.unit);
        second.faction->removeObject(&second);
    }
    {
        SCOPED_TRACE("moving off hides the card at once");
        controller.mouseMovedTo(5, 5);
        EXPECT_FALSE(tooltip.visible);
    }
    {
        SCOPED_TRACE("scale 2, mouse at (100, 40): the card's corner at (57.5, 20) in view units");
        scale = 2.0f;
        tooltip.update(&scope.unit, 100, 40);
        EXPECT_EQ(tooltip.box.getPosition(), sf::Vector2f(57.5f, 20));
        EXPECT_EQ(tooltip.text.getPosition(), sf::Vector2f(57.5f, 20));
        scale = 1.0f;
    }
    {
        SCOPED_TRACE("on the world map no card shows; the cursor is the map's point under the mouse");
        display = 0;
        const sf::Vector2i at = pixelOf(scope.unit.x, scope.unit.y);
        controller.mouseMovedTo(at.x, at.y);
        EXPECT_FALSE(tooltip.visible);
        // The 190 × 70 world's map is 950 map pixels wide, centred on (475, 175): the window's centre is
        // grid (9.5, 3.5).
        controller.mouseMovedTo(960, 540);
        EXPECT_FLOAT_EQ(grids.cursorX, 10.5f);
        EXPECT_FLOAT_EQ(grids.cursorY, 3.5f);
        controller.selectedObject = &scope.unit;
        scope.game.console().clearLog();
        scope.game.click(sf::Mouse::Right);
        EXPECT_EQ(scope.log(), "Ordering move to: (10.5)(3.5)\n");
    }
}

TEST(GameControllerInput, WheelScrollsTheConsoleFirstThenTheShownInfoBox) {
    quietOutput quiet;
    ordersScope scope;
    gameController& controller = scope.game.controller;
    consoleView& console = scope.game.console();
    infoBox& box = *scope.game.view.infoPanel;
    box.update(&scope.home);
    const auto turn = [&](int x, int y, float delta) {
        scope.game.view.mouseX = x;
        scope.game.view.mouseY = y;
        sf::Event event{};
        event.type = sf::Event::MouseWheelScrolled;
        event.mouseWheelScroll.wheel = sf::Mouse::VerticalWheel;
        event.mouseWheelScroll.delta = delta;
        controller.handleMouseWheel(event);
    };
    {
        SCOPED_TRACE("over the console: up shows earlier lines, down later ones");
        turn(10, 10, 1);
        EXPECT_EQ(console.logPosition(), 15.0f);
        turn(10, 10, -1);
        turn(10, 10, -1);
        EXPECT_EQ(console.logPosition(), -5.0f);
    }
    {
        SCOPED_TRACE("where console and info box overlap, the console scrolls");
        turn(680, 200, 1);
        EXPECT_EQ(console.logPosition(), 5.0f);
        EXPECT_EQ(box.text.getPosition().y, 0.0f);
    }
    {
        SCOPED_TRACE("over the info box, 15 units a notch; a zero turn does nothing");
        turn(900, 500, -1);
        EXPECT_EQ(box.text.getPosition().y, -15.0f);
        turn(900, 500, 0);
        EXPECT_EQ(box.text.getPosition().y, -15.0f);
    }
    {
        SCOPED_TRACE("scale 2: the areas double");
        scale = 2.0f;
        turn(1400, 700, 1);
        EXPECT_EQ(box.text.getPosition().y, 0.0f) << "(1400, 700) lies over the doubled box only";
        turn(1300, 500, 1);
        EXPECT_EQ(console.logPosition(), 15.0f) << "(1300, 500) lies over the doubled console";
        scale = 1.0f;
    }
    {
        SCOPED_TRACE("over the hidden info box nothing moves");
        box.hide();
        turn(900, 500, 1);
        EXPECT_EQ(box.text.getPosition().y, 0.0f);
    }
}
