#include "support/simulationScope.hpp"
#include "world/terrainImage.hpp"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <gtest/gtest.h>

TEST(PlaceableObject, PeopleStrengthsAndEquipment) {
    simulationScope run;
    Faction& faction = run.addFaction("Reds", "Ann");
    city& town = run.addCity(faction, 1, 1);
    {
        SCOPED_TRACE("nobody, then a soldier and a farmer");
        EXPECT_EQ(town.getAttackStrength(), 0);
        EXPECT_EQ(town.getDefenceStrength(), 0);
        EXPECT_EQ(town.killRandomPerson(), nullptr);
        EXPECT_EQ(town.selectRandomPerson(), nullptr);
        town.addNewPerson(std::make_unique<person>("S", &faction, Soldier));
        town.addNewPerson(std::make_unique<person>("F", &faction, Farmer));
        EXPECT_EQ(town.getAttackStrength(), 11);
        EXPECT_EQ(town.getDefenceStrength(), 11);
    }
    {
        SCOPED_TRACE("one per person");
        for (int i = 0; i < 10; ++i) {
            town.addNewPerson(std::make_unique<person>("P", &faction, Miner));
        }
        town.giveEquipment(raft, -1);
        town.giveEquipment(horse, 3);
        town.giveEquipment(horse, 4);
        EXPECT_EQ(town.equipment.at(raft), 12);
        EXPECT_EQ(town.equipment.at(horse), 7);
        EXPECT_EQ(town.equipment.at(mountainGear), 0);
    }
    {
        SCOPED_TRACE("a killed person leaves the list, dead, and the others keep their order");
        const std::vector<person*> before = town.people;
        person* killed = town.killRandomPerson();
        ASSERT_NE(killed, nullptr);
        EXPECT_FALSE(killed->alive);
        EXPECT_FALSE(town.hasPerson(killed));
        std::vector<person*> expected = before;
        expected.erase(std::find(expected.begin(), expected.end(), killed));
        EXPECT_EQ(town.people, expected);
        town.removePerson(killed);
        EXPECT_EQ(town.numPeople(), 11);
        town.removePerson(expected[3]);
        expected.erase(expected.begin() + 3);
        EXPECT_EQ(town.people, expected);
        EXPECT_TRUE(expected[0]->alive);
    }
}

TEST(PlaceableObject, TravelAttributesSpeedAndTheShortWayRound) {
    simulationScope run;
    Faction& faction = run.addFaction("Reds", "Ann");
    militaryUnit& unit = run.addUnit(faction, 1, 1, 10);
    {
        SCOPED_TRACE("nine rafts for ten people are not enough");
        unit.giveEquipment(raft, 9);
        EXPECT_FALSE(unit.getTravelAttributes().at(raft));
        unit.giveEquipment(raft, 1);
        EXPECT_TRUE(unit.getTravelAttributes().at(raft));
        EXPECT_FALSE(unit.getTravelAttributes().at(mountainGear));
        EXPECT_FALSE(unit.getTravelAttributes().at(horse));
        EXPECT_FLOAT_EQ(unit.getSpeed(), 0.001f);
        unit.giveEquipment(horse, -1);
        EXPECT_FLOAT_EQ(unit.getSpeed(), 0.002f);
    }
    {
        SCOPED_TRACE("nobody needs nothing");
        city& empty = run.addCity(faction, 2, 2);
        for (const auto& [kind, on] : empty.getTravelAttributes()) {
            EXPECT_TRUE(on) << kind;
        }
        EXPECT_EQ(empty.getTravelAttributes().size(), 3u);
        EXPECT_FLOAT_EQ(empty.getSpeed(), 0.0f);
    }
    {
        SCOPED_TRACE("destinations more than half the world away are reached across the edge");
        worldWidth = 360; // 36 grids: half is 18
        unit.x = 1.0f;
        unit.setDestination(30.0f, 2.0f);
        EXPECT_FLOAT_EQ(unit.destX, -6.0f);
        EXPECT_FLOAT_EQ(unit.destY, 2.0f);
        EXPECT_TRUE(unit.moving);
        unit.setDestination(19.0f, 2.0f);
        EXPECT_FLOAT_EQ(unit.destX, 19.0f);
        unit.x = 35.0f;
        unit.setDestination(2.0f, 2.0f);
        EXPECT_FLOAT_EQ(unit.destX, 38.0f);
    }
}

TEST(PlaceableObject, ColoursShapesAndTheCursor) {
    simulationScope run;
    Faction& human = run.addFaction("Mine", "Me");
    Faction& enemy = run.addFaction("Theirs", "Them");
    city& home = run.addCity(human, 2.0f, 3.0f);
    militaryUnit& raider = run.addUnit(enemy, 4.0f, 5.0f, 1);
    EXPECT_EQ(home.getObjectColor(), LIGHT_GREEN);
    EXPECT_EQ(raider.getObjectColor(), sf::Color::Red);
    {
        SCOPED_TRACE("under the cursor: x + 1 and y, strictly within the tolerance");
        EXPECT_TRUE(home.isUnderCursor(3.04f, 2.96f, 0.05f));
        EXPECT_FALSE(home.isUnderCursor(2.04f, 3.0f, 0.05f));
        EXPECT_FALSE(home.isUnderCursor(3.0f, 3.0f, 0.0f));
        EXPECT_EQ(home.getShapeColor(3.0f, 3.0f, 0.05f), sf::Color::Yellow);
        EXPECT_EQ(home.getShapeColor(3.1f, 3.0f, 0.05f), LIGHT_GREEN);
    }
    {
        SCOPED_TRACE(
            "across the seam of the 36-grid world: positions and cursors beyond it meet their copies");
        militaryUnit& eastward = run.addUnit(human, 36.2f, 1.0f, 1);
        militaryUnit& westward = run.addUnit(human, -0.3f, 1.0f, 1);
        EXPECT_TRUE(eastward.isUnderCursor(1.21f, 1.0f, 0.05f)) << "stored 36.2, shown at 0.2";
        EXPECT_TRUE(eastward.isUnderCursor(37.19f, 1.0f, 0.05f));
        EXPECT_TRUE(westward.isUnderCursor(36.7f, 1.0f, 0.05f)) << "stored -0.3, shown at 35.7";
        EXPECT_TRUE(westward.isUnderCursor(0.71f, 1.0f, 0.05f));
        EXPECT_FALSE(westward.isUnderCursor(0.6f, 1.0f, 0.05f));
        EXPECT_TRUE(home.isUnderCursor(-33.0f, 3.0f, 0.05f)) << "a cursor a whole turn west";
        EXPECT_EQ(eastward.getShapeColor(1.2f, 1.0f, 0.05f), sf::Color::Yellow);
    }
    {
        SCOPED_TRACE("a city is a 10 × 10 square at the screen point, a unit a circle of radius 5 around it");
        const auto square = home.getSFDrawable(100, 200, 3.0f, 3.0f, 0.05f);
        const auto* rectangle = dynamic_cast<const sf::RectangleShape*>(square.get());
        ASSERT_NE(rectangle, nullptr);
        EXPECT_EQ(rectangle->getSize(), sf::Vector2f(10, 10));
        EXPECT_EQ(rectangle->getPosition(), sf::Vector2f(100, 200));
        EXPECT_EQ(rectangle->getFillColor(), sf::Color::Yellow);

        const auto round = raider.getSFDrawable(100, 200, 0, 0, 0.05f);
        const auto* circle = dynamic_cast<const sf::CircleShape*>(round.get());
        ASSERT_NE(circle, nullptr);
        EXPECT_FLOAT_EQ(circle->getRadius(), 5.0f);
        EXPECT_EQ(circle->getPointCount(), 30u);
        EXPECT_EQ(circle->getPosition(), sf::Vector2f(95, 195));
        EXPECT_EQ(circle->getFillColor(), sf::Color::Red);
    }
}
