#include "support/interfaceScope.hpp"

#include <gtest/gtest.h>

TEST(CommandBar, SevenButtonsRightToLeftBesideThePanelWhichDescribesTheSelection) {
    interfaceScope game;
    commandBar& bar = *game.view.commandPanel;
    // 1920 × 1080: button k's left edge is 1920 − 100 k − (400 + 3 k), its top 980.
    const std::pair<const char*, int> buttons[] = {
        {"Attack", 1417},     {"Move", 1314},  {"Stop", 1211},          {"Merge", 1108},
        {"Found City", 1005}, {"Cancel", 902}, {"Detailed\nStats", 799}};
    for (std::size_t k = 0; k < 7; ++k) {
        const button& made = *bar.buttons[k];
        EXPECT_EQ(std::make_tuple(made.label, made.left, made.right, made.top, made.bottom,
                                  game.controller.buttons[k]),
                  std::make_tuple(std::string(buttons[k].first), buttons[k].second, buttons[k].second + 100,
                                  980, 1080, &made));
    }
    EXPECT_EQ(std::make_tuple(game.controller.buttons.at(7), bar.panel.getPosition(), bar.panel.getSize(),
                              bar.statusText.getPosition()),
              std::make_tuple(game.view.infoPanel->closeButton.get(), sf::Vector2f(1520, 577),
                              sf::Vector2f(400, 400), sf::Vector2f(0, 1010)));
    std::make_unique<commandBar>(&game.view).reset();
    EXPECT_EQ(game.controller.buttons.size(), 8u) << "a bar that goes takes its buttons out of the registry";
    militaryUnit& unit = game.run.addUnit(game.run.addFaction("Mine", "Me"), 2.0f, 3.0f, 4, "Scouts");
    bar.visible = false;
    bar.update(&unit);
    EXPECT_EQ(std::make_tuple(game.controller.selectedObject, bar.selected, bar.visible,
                              bar.panelText.getString().toAnsiString()),
              std::make_tuple(static_cast<placeableObject*>(&unit), static_cast<placeableObject*>(&unit),
                              true,
                              std::string("Scouts\ncoordinates: (3, 3)\nFaction: Mine\nOwner: Me\nAttack "
                                          "strength: 40\nDefence strength: 40\n"
                                          "Population: 4\nGold: 0\nFood: 10000\nWood: 0\nIron: 0")));
}
