#include "support/simulationScope.hpp"

#include <gtest/gtest.h>

TEST(PlaceableObject, StrengthsKillsGearSpeedAndTheShortWayRound) {
    simulationScope run;
    Faction& faction = run.addFaction("Reds", "Ann");
    city& town = run.addCity(faction, 1, 1);
    EXPECT_EQ(town.killRandomPerson(), nullptr) << "nobody to kill";
    run.addPeople(town, 1, Soldier, true);
    run.addPeople(town, 11, Farmer, true);
    std::vector<person*> rest = town.people;
    EXPECT_EQ(std::make_pair(town.getAttackStrength(), town.getDefenceStrength()), std::make_pair(21, 21));
    seed(1u);
    EXPECT_EQ(town.killRandomPerson(), rest[2]) << "16838 % 12 = 2";
    rest.erase(rest.begin() + 2);
    EXPECT_EQ(town.people, rest) << "the others keep their order";
    militaryUnit& unit = run.addUnit(faction, 1, 1, 10);
    unit.giveEquipment(raft, 9);
    unit.giveEquipment(horse, -1);
    EXPECT_EQ(std::make_pair(unit.getTravelAttributes(), unit.getSpeed()),
              std::make_pair(travelAttributes{{horse, true}, {mountainGear, false}, {raft, false}}, 0.002f))
        << "nine rafts for ten people; a horse each doubles the speed";
    worldWidth = 360; // 36 grids: half is 18
    for (const auto& [from, to, expected] :
         std::initializer_list<std::tuple<float, float, float>>{{1, 30, -6}, {1, 19, 19}, {35, 2, 38}}) {
        unit.x = from;
        unit.setDestination(to, 2.0f);
        EXPECT_EQ(std::make_pair(unit.destX, unit.moving.load()), std::make_pair(expected, true))
            << from << " to " << to;
    }
}
