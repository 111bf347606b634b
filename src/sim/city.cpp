#include "sim/city.hpp"

#include "app/consoleLog.hpp"
#include "app/gameInit.hpp"
#include "app/random.hpp"
#include "app/settings.hpp"
#include "sim/Faction.hpp"
#include "sim/eventReports.hpp"
#include "sim/gameTime.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <algorithm>
#include <iostream>

namespace {
constexpr int MIN_CITIZENS = 45;
constexpr int MAX_CITIZENS = 55;
constexpr float SIDE = 10.0f;
/// A birth needs more than this many days' rations of food, and costs that much.
constexpr int FOOD_FOR_A_CHILD = 100;
} // namespace

city::city(std::string name, Faction* faction, float x, float y, bool populate)
    : placeableObject(std::move(name), faction, x, y) {
    purchasingAbility = true;
    if (faction != nullptr) {
        owner = faction->leader.get();
    }
    if (populate) {
        const int citizens = randomRange(MIN_CITIZENS, MAX_CITIZENS);
        for (int i = 0; i < citizens; ++i) {
            addNewPerson(std::make_unique<person>(faction->personNames.next(), faction, RANDOM_OCCUPATION));
        }
    }
}

std::unique_ptr<sf::Drawable> city::getSFDrawable(float screenX, float screenY, float cursorX, float cursorY,
                                                  float tolerance) const {
    auto square = std::make_unique<sf::RectangleShape>(sf::Vector2f(SIDE, SIDE));
    square->setPosition(screenX, screenY);
    square->setFillColor(getShapeColor(cursorX, cursorY, tolerance));
    return square;
}

void city::update() {
    if (!isDayBoundary()) {
        return;
    }
    if (people.empty()) {
        consumeFood();
        return;
    }
    int males = 0;
    int females = 0;
    for (person* p : people) {
        int& skill = p->skills[p->job];
        const int produced = randomRange(0, skill / 10);
        const auto add = [&](int& good, std::size_t kind) {
            good += produced;
            if (faction != nullptr) {
                faction->ledger.produced[kind] += produced;
            }
        };
        switch (p->job) {
        case Farmer:
            add(food, economyLedger::FOOD);
            break;
        case Miner:
            add(iron, economyLedger::IRON);
            break;
        case Woodcutter:
            add(wood, economyLedger::WOOD);
            break;
        case Merchant:
            add(gold, economyLedger::GOLD);
            break;
        default:
            break;
        }
        ++skill;
        ++(p->isMale ? males : females);
    }
    consumeFood();

    const int couples = std::min(males, females);
    if (couples == 0 || food - FOOD_FOR_A_CHILD * foodConsumeRate <= 0 ||
        randomRange(0, childChance / couples) != 0) {
        return;
    }
    food -= FOOD_FOR_A_CHILD * foodConsumeRate;
    if (faction != nullptr) {
        faction->ledger.foodForChildren += FOOD_FOR_A_CHILD * foodConsumeRate;
    }
    if (logEnemies || belongsToHuman()) {
        logToConsole("A child was born in " + placeName(*this, factions));
    }
    std::cout << "A child was born in " << name << "\n";
    addNewPerson(std::make_unique<person>(faction->personNames.next(), faction, RANDOM_OCCUPATION));
}

void city::defeat(placeableObject* victor, int) {
    std::cout << "City defeat called.\n";
    while (killRandomPerson() != nullptr) {
    }
    if (faction != nullptr) {
        faction->removeObject(this);
    }
    std::cout << "Removed from losing faction.\n";
    Faction::addObjectTo(victor->faction, this);
    std::cout << "Assigned to victor.\n";
}
