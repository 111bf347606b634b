#include "sim/militaryUnit.hpp"

#include "app/random.hpp"
#include "path/pathGeometry.hpp"
#include "sim/Faction.hpp"
#include "sim/combat.hpp"
#include "world/worldMap.hpp"

#include <SFML/Graphics/CircleShape.hpp>
#include <cmath>

namespace {
constexpr int MIN_MEMBERS = 7;
constexpr int MAX_MEMBERS = 12;
constexpr int STARTING_FOOD = 10000;
/// Grid units per tick on foot.
constexpr float FOOT_SPEED = 0.001f;
constexpr float RADIUS = 5.0f;
constexpr std::size_t CIRCLE_POINTS = 30;
/// An attacker asks for a new path once its target has moved by more than this share of the way between them.
constexpr float FOLLOW_SHARE = 0.1f;
} // namespace

militaryUnit::militaryUnit(std::string name, Faction* faction, float x, float y)
    : militaryUnit(std::move(name), faction, x, y, {}) {
    const int members = randomRange(MIN_MEMBERS, MAX_MEMBERS);
    if (owner != nullptr) {
        people.push_back(owner);
    }
    while (numPeople() < members) {
        addNewPerson(std::make_unique<person>(faction->personNames.next(), faction, Soldier));
    }
}

militaryUnit::militaryUnit(std::string name, Faction* faction, float x, float y, std::vector<person*> members)
    : placeableObject(std::move(name), faction, x, y) {
    isMilitary = true;
    food = STARTING_FOOD;
    speed = FOOT_SPEED;
    if (faction != nullptr) {
        owner = faction->leader.get();
    }
    people = std::move(members);
}

std::unique_ptr<sf::Drawable> militaryUnit::getSFDrawable(float screenX, float screenY, float cursorX,
                                                          float cursorY, float tolerance) const {
    auto circle = std::make_unique<sf::CircleShape>(RADIUS, CIRCLE_POINTS);
    circle->setPosition(screenX - RADIUS, screenY - RADIUS);
    circle->setFillColor(getShapeColor(cursorX, cursorY, tolerance));
    return circle;
}

void militaryUnit::update() {
    // A search may be installing a new path; the whole step sees either the old path or the new one.
    const std::lock_guard<std::mutex> lock(pathMutex);
    getMovementMultipliers(x, y, destX, destY, &movementMultiplierX, &movementMultiplierY);
    consumeFood();
    if (!moving) {
        return;
    }
    const float step = getSpeed();
    if (reachedDestination(x, y, destX, destY, step, movementMultiplierX, movementMultiplierY)) {
        if (travelPath && !travelPath->empty()) {
            travelPath->erase(travelPath->begin());
        }
        if (!travelPath || travelPath->empty()) {
            // A target that has left play meanwhile is no longer there to fight or join.
            const bool targetInPlay = target != nullptr && target->inPlay();
            if (attacking) {
                if (targetInPlay) {
                    attackRoll(this, target);
                }
            } else if (merging && targetInPlay) {
                merge(this, target);
            }
            stopMovement();
            resetTargets();
            dropTravelPath();
            x = destX;
            y = destY;
            return;
        }
        setDestination(travelPath->front().first, travelPath->front().second);
    }
    // Follow a target that has moved since the path was asked for: by more than a tenth of the way between
    // them, so that a far chase does not cost a search on every tick the target walks.
    if (attacking && target != nullptr && target->inPlay()) {
        const int columns = numHorizontalGrids();
        const float moved =
            std::hypot(wrappedDifference(target->x + 1.0f, pathAskedX, columns), target->y - pathAskedY);
        const float apart = std::hypot(wrappedDifference(target->x, x, columns), target->y - y);
        if (moved > apart * FOLLOW_SHARE) {
            setPath(target->x + 1.0f, target->y);
        }
    }
    x += step * movementMultiplierX;
    y += step * movementMultiplierY;
}

void militaryUnit::defeat(placeableObject*, int) {
    while (killRandomPerson() != nullptr) {
    }
    if (faction != nullptr) {
        // The goods and gear stay with the unit, out of play.
        auto& lost = faction->ledger.lostInBattle;
        const std::array<int*, 4> held = goods();
        for (std::size_t good = 0; good < held.size(); ++good) {
            lost[good] += *held[good];
        }
        for (const auto& [kind, count] : equipment) {
            lost[economyLedger::GOODS + static_cast<std::size_t>(kind)] += count;
        }
        faction->removeObject(this);
    }
}
