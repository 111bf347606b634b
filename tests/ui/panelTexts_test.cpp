#include "support/simulationScope.hpp"
#include "ui/panelTexts.hpp"

#include <gtest/gtest.h>

TEST(PanelTexts, AnObjectsDetailsInTheBarTheInfoBoxAndTheTooltip) {
    simulationScope run;
    Faction& faction = run.addFaction("Mine", "Me");
    city& town = run.addCity(faction, 2.5f, 3.25f, "Ardmore");
    std::tie(town.gold, town.food, town.wood, town.iron) = std::make_tuple(7, 8, 9, 10);
    town.addNewPerson(std::make_unique<person>("Ann", &faction, Soldier))->isMale = false;
    person& trader = *town.addNewPerson(std::make_unique<person>("Bo", &faction, Merchant));
    trader.isMale = true;
    trader.skills.erase(Miner);
    town.giveEquipment(horse, 2);
    town.giveEquipment(raft, 1);
    const std::string header = "Ardmore\ncoordinates: (3.5, 3.25)\nFaction: Mine\nOwner: Me\nAttack "
                               "strength: 11\nDefence strength: 11\nPopulation: 2\n";
    EXPECT_EQ(commandPanelText(town), header + "Gold: 7\nFood: 8\nWood: 9\nIron: 10");
    EXPECT_EQ(infoBoxText(town), header + "Resources:     Gold: 7, Food: 8, Wood: 9, Iron: 10\nEquipment:    "
                                          "Horses: 2, MountainGear: 0, Rafts: 1\n"
                                          "Attributes:    Mounted: true, MountainGear: false, Raft: "
                                          "false\npurchasingAbility: true\n\nCitizens:\n"
                                          "1. Ann\n   Gender: female, Job: Soldier, Atk: 10, Def: 10\n   "
                                          "Exp: Farming: 50, Mining: 50, Trade: 50, Woodcutting: 50\n"
                                          "2. Bo\n   Gender: male, Job: Merchant, Atk: 1, Def: 1\n   Exp: "
                                          "Farming: 50, Mining: 0, Trade: 200, Woodcutting: 50\n");
    EXPECT_EQ(tooltipText(&town), "Ardmore (3.5, 3.25) \nOwner: Me, Faction: Mine\nPopulation: 2, Atk: 11, "
                                  "Def: 11\nGold: 7, Food: 8, Wood: 9, Iron: 10");
    EXPECT_EQ(tooltipText(nullptr), "NULL OBJECT!\n");
    EXPECT_EQ(gameStatusText(0, 0) + gameStatusText(1, 720) + gameStatusText(120, 86400) +
                  gameStatusText(7, 253402300800),
              "Game tick: 0\nDate: Thu Jan  1 00:00:00 1970\nGame tick: 1\nDate: Thu Jan  1 00:12:00 "
              "1970\nGame tick: 120\nDate: Fri Jan  2 "
              "00:00:00 1970\nGame tick: 7\nDate: Sat Jan  1 00:00:00 10000\n")
        << "the status line, also past the year 9999 where asctime's buffer ends";
}
