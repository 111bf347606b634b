#include "support/simulationScope.hpp"
#include "ui/panelTexts.hpp"

#include <gtest/gtest.h>

namespace {
/// A city of two hand-made citizens with set resources, and a unit with neither owner nor people.
struct samples {
    samples() : faction(run.addFaction("Mine", "Me")), town(run.addCity(faction, 2.5f, 3.25f, "Ardmore")) {
        town.gold = 7;
        town.food = 8;
        town.wood = 9;
        town.iron = 10;
        person& soldier = *town.addNewPerson(std::make_unique<person>("Ann", &faction, Soldier));
        soldier.isMale = false;
        person& trader = *town.addNewPerson(std::make_unique<person>("Bo", &faction, Merchant));
        trader.isMale = true;
        trader.skills.erase(Miner);
        town.giveEquipment(horse, 2);
        town.giveEquipment(raft, 1);
    }
    simulationScope run;
    Faction& faction;
    city& town;
};
} // namespace

TEST(PanelTexts, CommandPanelAndTooltip) {
    samples sample;
    EXPECT_EQ(commandPanelText(sample.town), "Ardmore\ncoordinates: (3.5, 3.25)\nFaction: Mine\nOwner: Me\n"
                                             "Attack strength: 11\nDefence strength: 11\nPopulation: 2\n"
                                             "Gold: 7\nFood: 8\nWood: 9\nIron: 10");
    EXPECT_EQ(tooltipText(&sample.town),
              "Ardmore (3.5, 3.25) \nOwner: Me, Faction: Mine\n"
              "Population: 2, Atk: 11, Def: 11\nGold: 7, Food: 8, Wood: 9, Iron: 10");
    EXPECT_EQ(tooltipText(nullptr), "NULL OBJECT!\n");
    {
        SCOPED_TRACE("an object without an owner shows NULL");
        placeableObject stray("Stray", &sample.faction, -0.5f, 1.0f);
        EXPECT_EQ(tooltipText(&stray), "Stray (0.5, 1) \nOwner: NULL, Faction: Mine\n"
                                       "Population: 0, Atk: 0, Def: 0\nGold: 0, Food: 0, Wood: 0, Iron: 0");
    }
}

TEST(PanelTexts, InfoBoxHeaderAndCitizens) {
    samples sample;
    const std::string header = "Ardmore\ncoordinates: (3.5, 3.25)\nFaction: Mine\nOwner: Me\n"
                               "Attack strength: 11\nDefence strength: 11\nPopulation: 2\n"
                               "Resources:     Gold: 7, Food: 8, Wood: 9, Iron: 10\n"
                               "Equipment:    Horses: 2, MountainGear: 0, Rafts: 1\n"
                               "Attributes:    Mounted: true, MountainGear: false, Raft: false\n"
                               "purchasingAbility: true\n\nCitizens:\n";
    EXPECT_EQ(infoBoxText(sample.town), header +
                                            "1. Ann\n   Gender: female, Job: Soldier, Atk: 10, Def: 10\n"
                                            "   Exp: Farming: 50, Mining: 50, Trade: 50, Woodcutting: 50\n"
                                            "2. Bo\n   Gender: male, Job: Merchant, Atk: 1, Def: 1\n"
                                            "   Exp: Farming: 50, Mining: 0, Trade: 200, Woodcutting: 50\n");
    {
        SCOPED_TRACE("no citizens: the header alone; no people means every attribute holds");
        sample.town.people.clear();
        const std::string text = infoBoxText(sample.town);
        const std::string end = "Population: 0\nResources:     Gold: 7, Food: 8, Wood: 9, Iron: 10\n"
                                "Equipment:    Horses: 2, MountainGear: 0, Rafts: 1\n"
                                "Attributes:    Mounted: true, MountainGear: true, Raft: true\n"
                                "purchasingAbility: true\n\nCitizens:\n";
        ASSERT_GT(text.size(), end.size());
        EXPECT_EQ(text.substr(text.size() - end.size()), end);
    }
}

TEST(PanelTexts, StatusLineGivesTheTickAndTheGameDate) {
    EXPECT_EQ(gameStatusText(0, 0), "Game tick: 0\nDate: Thu Jan  1 00:00:00 1970\n");
    EXPECT_EQ(gameStatusText(1, 720), "Game tick: 1\nDate: Thu Jan  1 00:12:00 1970\n");
    EXPECT_EQ(gameStatusText(120, 86400), "Game tick: 120\nDate: Fri Jan  2 00:00:00 1970\n");
    // Past the year 9999, where asctime's own buffer would overflow.
    EXPECT_EQ(gameStatusText(7, 253402300800), "Game tick: 7\nDate: Sat Jan  1 00:00:00 10000\n");
}
