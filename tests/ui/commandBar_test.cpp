#include "support/interfaceScope.hpp"

#include <gtest/gtest.h>

TEST(CommandBar, SevenButtonsRightToLeftBesideThePanel) {
    interfaceScope game;
    const commandBar& bar = *game.view.commandPanel;
    {
        SCOPED_TRACE("1920 × 1080: Attack spans x 1417 to 1517 and y 980 to 1080, Detailed Stats 799 to 899");
        const button& attack = *bar.buttons[commandBar::attackButton];
        EXPECT_EQ(std::vector<int>({attack.left, attack.right, attack.top, attack.bottom}),
                  std::vector<int>({1417, 1517, 980, 1080}));
        const button& details = *bar.buttons[commandBar::detailsButton];
        EXPECT_EQ(details.left, 799);
        EXPECT_EQ(details.right, 899);
        EXPECT_EQ(details.label, "Detailed\nStats");
    }
    {
        SCOPED_TRACE("each one a gap of 3 left of the one before, captioned in order");
        std::vector<std::string> captions;
        for (std::size_t k = 1; k < bar.buttons.size(); ++k) {
            EXPECT_EQ(bar.buttons[k - 1]->left - bar.buttons[k]->right, 3);
            captions.push_back(bar.buttons[k - 1]->label);
        }
        EXPECT_EQ(captions,
                  (std::vector<std::string>{"Attack", "Move", "Stop", "Merge", "Found City", "Cancel"}));
    }
    {
        SCOPED_TRACE("registered in that order, then the info box's Close");
        ASSERT_EQ(game.controller.buttons.size(), 8u);
        for (std::size_t k = 0; k < bar.buttons.size(); ++k) {
            EXPECT_EQ(game.controller.buttons[k], bar.buttons[k].get());
        }
        EXPECT_EQ(game.controller.buttons[7], game.view.infoPanel->closeButton.get());
    }
    {
        SCOPED_TRACE("the panel sits in the column above the bar's right 400 units, 3 above the bar");
        EXPECT_EQ(bar.panel.getPosition(), sf::Vector2f(1520, 577));
        EXPECT_EQ(bar.statusText.getPosition(), sf::Vector2f(0, 1010));
    }
    {
        SCOPED_TRACE("a bar that goes takes its buttons out of the registry");
        auto another = std::make_unique<commandBar>(&game.view);
        EXPECT_EQ(game.controller.buttons.size(), 15u);
        another.reset();
        EXPECT_EQ(game.controller.buttons.size(), 8u);
        EXPECT_EQ(game.controller.buttons[0], bar.buttons[0].get());
    }
}

TEST(CommandBar, UpdateSelectsAndDescribesTheObjectAsItIsThen) {
    interfaceScope game;
    Faction& mine = game.run.addFaction("Mine", "Me");
    militaryUnit& unit = game.run.addUnit(mine, 2.0f, 3.0f, 4, "Scouts");
    commandBar& bar = *game.view.commandPanel;
    bar.visible = false;
    bar.update(&unit);
    EXPECT_EQ(game.controller.selectedObject, &unit);
    EXPECT_EQ(bar.selected, &unit);
    EXPECT_TRUE(bar.visible);
    const std::string described =
        "Scouts\ncoordinates: (3, 3)\nFaction: Mine\nOwner: Me\nAttack strength: 40\n"
        "Defence strength: 40\nPopulation: 4\nGold: 0\nFood: 10000\nWood: 0\nIron: 0";
    EXPECT_EQ(bar.panelText.getString().toAnsiString(), described);
    {
        SCOPED_TRACE("the panel keeps what it showed while the object moves on");
        unit.x = 5.0f;
        EXPECT_EQ(bar.panelText.getString().toAnsiString(), described);
        bar.update(&unit);
        EXPECT_EQ(bar.panelText.getString().toAnsiString().substr(0, 27), "Scouts\ncoordinates: (6, 3)\n");
    }
}
