#include "support/interfaceScope.hpp"
#include "support/quietOutput.hpp"
#include "ui/chartPanel.hpp"

#include <gtest/gtest.h>
#include <map>

namespace {
/// The human's unit and city and a foreign unit on a 19-grid-wide world, in the grid view, with path
/// searches.
struct ordersScope {
    ordersScope()
        : mine(game.run.addFaction("Mine", "Me")), theirs(game.run.addFaction("Theirs", "Them")),
          unit(game.run.addUnit(mine, 2.0f, 3.0f, 3, "Scöuts")),
          home(game.run.addCity(mine, 4.0f, 3.0f, "Home")),
          raiders(game.run.addUnit(theirs, 6.0f, 3.0f, 3, "Raiders")) {
        game.run.startSearches(1);
        display = 1;
        game.log();
    }
    interfaceScope game;
    Faction &mine, &theirs;
    militaryUnit& unit;
    city& home;
    militaryUnit& raiders;
};
} // namespace

TEST(GameControllerInput, TheOrderContextAndTheBarsButtonsGoThroughEveryTransition) {
    quietOutput quiet;
    ordersScope scope;
    gameController& controller = scope.game.controller;
    const std::map<std::string, placeableObject*> objects = {
        {"Scöuts", &scope.unit}, {"Home", &scope.home}, {"Raiders", &scope.raiders}};
    // A button pressed, or a left or right click on an object or a point (y 3) | the context and selection
    // after | the log | why.
    const std::string script = R"(
        press Move    | 0 -       | | nothing selected: no order is pending, but Cancel
        press Cancel  | 0 -       | Action canceled.
        left Scöuts   | 0 Scöuts  | | on an object, selects it
        right Raiders | 0 Scöuts  | Ordering attack on Raiders (7)(3) | state 0: right attacks a foreign object
        right Home    | 0 Scöuts  | Ordering move to: (5)(3) | and moves elsewhere
        press Move    | 1 Scöuts  | Select a location to order the move.
        left 3.5      | 0 Scöuts  | Ordering move to: (4.5)(3)
        press Move    | 1 Scöuts  | Select a location to order the move.
        press Cancel  | 0 Scöuts  | Action canceled.
        left Home     | 0 Home    | | after Cancel a left click selects
        left Scöuts   | 0 Scöuts  |
        press Move    | 1 Scöuts  | Select a location to order the move.
        right Raiders | 0 Scöuts  | Ordering attack on Raiders (7)(3) | a right click acts as in state 0
        press Attack  | 2 Scöuts  | Select a unit to order the attack.
        left Home     | 2 Scöuts  | | own objects are passed over
        left Raiders  | 0 Scöuts  | Ordering attack on Raiders (7)(3)
        press Merge   | 3 Scöuts  | Select a unit to merge into.
        left Raiders  | 3 Scöuts  | | foreign objects are passed over
        left Home     | 0 Scöuts  | Ordering merge on Home (5)(3)
        press Stop    | 0 Scöuts  | Stopped movement
        left Raiders  | 0 Raiders |
        press Move    | 1 Raiders | Select a location to order the move.
        left 7        | 0 Raiders | You can not move an object that you do not own. | a refusal ends the pending order too
        press Stop    | 0 Raiders | You can not stop an object that you do not own.
        press Found   | 0 Raiders | You can not found a city with an object that you do not own.
        left Home     | 0 Home    |
        press Move    | 0 Home    | A city can not move: select a unit to order the move.
        press Attack  | 0 Home    | A city can not attack: select a unit to order the attack.
        press Merge   | 0 Home    | A city can not merge into another object: select a unit to merge.
        right Raiders | 0 Home    | A city can not attack: select a unit to order the attack. | a right click either
        right 3.5     | 0 Home    | A city can not move: select a unit to order the move.
        press Found   | 0 Home    | A city can not found a city: select a unit to found one.
        left Scöuts   | 0 Scöuts  |
        press Found   | 0 Scöuts  | Founding city. | the selection stays
        press Attack  | 0 Scöuts  | Scöuts is no longer in play.)";
    for (const std::vector<std::string>& step : tableRows(script)) {
        std::istringstream action(step[0]), after(step[1]);
        std::string what, at, selected;
        int context = -1;
        action >> what >> at;
        after >> context >> selected;
        if (what == "press") {
            for (const auto& made : scope.game.view.commandPanel->buttons) {
                if (made->label.rfind(at, 0) == 0) { // by the label's first word
                    scope.game.press(*made);         // a click on the button
                }
            }
        } else {
            scope.game.pointAt(objects.count(at) != 0 ? objects.at(at)->x : std::stof(at), 3.0f);
            scope.game.click(what == "left" ? sf::Mouse::Left : sf::Mouse::Right);
        }
        const std::string& reply = step[2];
        EXPECT_TRUE(reply.rfind("Ordering merge", 0) != 0 || !scope.unit.attacking)
            << "a merge ends the attack";
        EXPECT_EQ(std::make_tuple(controller.context, controller.selectedObject, scope.game.log()),
                  std::make_tuple(context, selected == "-" ? nullptr : objects.at(selected),
                                  reply.empty() ? "" : reply + "\n"))
            << step[0] << (step.size() > 3 ? ": " + step[3] : "");
    }
    EXPECT_EQ(std::make_tuple(scope.unit.target, scope.mine.objects.back()->name, scope.theirs.numObjects()),
              std::make_tuple(static_cast<placeableObject*>(nullptr), std::string("Me's city"), 1))
        << "Stop dropped the merge's target, the human's Found City made a city, the refused one none";
}

TEST(GameControllerInput, TheTooltipFollowsTheMouseAndTheWheelScrollsTheConsoleFirstThenTheShownInfoBox) {
    quietOutput quiet;
    ordersScope scope;
    gameController& controller = scope.game.controller;
    tooltipView& tooltip = scope.game.view.tooltip;
    std::tie(scope.game.view.gridX, scope.game.view.gridY) = std::make_pair(3, 3);
    // View mode 1 around grid (3, 3): world point (x, y) is under window pixel ((x + 1 − 3 + 4) × 213, (y − 3
    // + 2) × 213).
    controller.mouseMovedTo(852, 426);
    EXPECT_EQ(std::make_tuple(tooltip.visible, tooltip.text.getString().substring(0, 15),
                              tooltip.box.getPosition()),
              std::make_tuple(true, sf::String(L"Scöuts (3, 3) \n"), sf::Vector2f(867, 426)))
        << "over the unit: its card, 15 pixels right of the mouse";
    controller.mouseMovedTo(5, 5);
    EXPECT_FALSE(tooltip.visible) << "moving off hides the card at once";
    display = 0;
    controller.selectedObject = &scope.unit;
    controller.mouseMovedTo(960,
                            540); // the window's centre shows the 950-pixel map's centre: grid (9.5, 3.5)
    scope.game.click(sf::Mouse::Right);
    EXPECT_EQ(scope.game.log(), "Ordering move to: (10.5)(3.5)\n");
    chartPanel& charts = *scope.game.view.charts;
    controller.handleChartKey(sf::Keyboard::C); // over the map's centre
    scope.game.click(sf::Mouse::Right);
    const sf::FloatRect food = charts.buttonArea(statistic::food);
    controller.mouseMovedTo(static_cast<int>(food.left) + 5, static_cast<int>(food.top) + 5);
    scope.game.click(sf::Mouse::Left);
    const statistic clicked = charts.shownStatistic();
    controller.handleChartKey(sf::Keyboard::Numpad7);
    EXPECT_EQ(std::make_tuple(scope.game.log(), clicked, charts.shownStatistic()),
              std::make_tuple(std::string(), statistic::food, statistic::gold))
        << "a click on the chart orders nothing; its button and the key 7 choose what it charts";
    controller.handleChartKey(sf::Keyboard::C);

    infoBox& box = *scope.game.view.infoPanel;
    box.update(&scope.home);
    // mouse, delta, scale, console's top (a notch scrolls a row of 23), box text's top after
    const std::tuple<int, int, float, float, float, float> turns[] = {{10, 10, 1, 1, 28, 0},
                                                                      {10, 10, -1, 1, 5, 0},
                                                                      {900, 500, -1, 1, 5, -15},
                                                                      {1400, 700, 1, 2, 5, 0},
                                                                      {1300, 500, 1, 2, 28, 0}};
    for (const auto& [x, y, delta, windowScale, consoleTop, boxTop] : turns) {
        std::tie(scope.game.view.mouseX, scope.game.view.mouseY, scale) = std::make_tuple(x, y, windowScale);
        sf::Event event{};
        event.type = sf::Event::MouseWheelScrolled;
        event.mouseWheelScroll.delta = delta;
        controller.handleMouseWheel(event);
        EXPECT_EQ(std::make_pair(scope.game.console().logPosition(), box.text.getPosition().y),
                  std::make_pair(consoleTop, boxTop))
            << x << ", " << y << " turned " << delta << " at scale " << windowScale;
    }
}
