#include "sim/placeableObject.hpp"

#include "app/consoleLog.hpp"
#include "app/gameInit.hpp"
#include "app/random.hpp"
#include "app/settings.hpp"
#include "app/utf8Text.hpp"
#include "app/utilities.hpp"
#include "path/aStarGraph.hpp"
#include "path/pathGeometry.hpp"
#include "sim/Faction.hpp"
#include "sim/gameTime.hpp"
#include "sim/pathSearches.hpp"
#include "sim/player.hpp"
#include "world/terrainImage.hpp"
#include "world/worldMap.hpp"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Text.hpp>
#include <algorithm>
#include <iostream>
#include <stdexcept>

namespace {
constexpr unsigned LABEL_CHARACTER_SIZE = 20;
constexpr float LABEL_OFFSET_Y = 10.0f;
/// Between the shape's edge and the selection ring.
constexpr float SELECTION_RING_GAP = 5.0f;
constexpr float SELECTION_RING_THICKNESS = 3.0f;
constexpr std::size_t SELECTION_RING_POINTS = 30;

} // namespace

placeableObject::placeableObject(std::string name, Faction* faction, float x, float y)
    : gameObject(std::move(name), faction), x(x), y(y), equipment{{horse, 0}, {mountainGear, 0}, {raft, 0}} {}

placeableObject::placeableObject() : gameObject("", nullptr), x(0.0f), y(0.0f) {}

placeableObject::~placeableObject() = default;

std::unique_ptr<sf::Drawable> placeableObject::getSFDrawable(float, float, float, float, float) const {
    return nullptr;
}

void placeableObject::update() {}

void placeableObject::defeat(placeableObject*, int) {}

bool placeableObject::inPlay() const {
    return faction != nullptr && faction->contains(this);
}

bool placeableObject::belongsToHuman() const {
    return humanPlayer && faction != nullptr && faction == humanPlayer->faction;
}

sf::Color placeableObject::getObjectColor() const {
    return belongsToHuman() ? LIGHT_GREEN : sf::Color::Red;
}

bool placeableObject::isUnderCursor(float cursorX, float cursorY, float tolerance) const {
    // Either x may lie beyond the seam: compare the copies nearest each other.
    const float across = wrappedDifference(cursorX, x + 1.0f, numHorizontalGrids());
    return numIsInRangeOf(across, tolerance, 0.0f) && numIsInRangeOf(cursorY, tolerance, y);
}

sf::Color placeableObject::getShapeColor(float cursorX, float cursorY, float tolerance) const {
    return isUnderCursor(cursorX, cursorY, tolerance) ? sf::Color::Yellow : getObjectColor();
}

void placeableObject::draw(sf::RenderTarget& target, const sf::Font& font, float screenX, float screenY,
                           float cursorX, float cursorY, float tolerance) const {
    sf::Text label(screenText(name), font, LABEL_CHARACTER_SIZE);
    label.setPosition(screenX, screenY + LABEL_OFFSET_Y);
    label.setFillColor(getObjectColor());
    if (const auto shape = getSFDrawable(screenX, screenY, cursorX, cursorY, tolerance)) {
        target.draw(*shape);
    }
    target.draw(label);
}

void placeableObject::drawSelectionMark(sf::RenderTarget& target, float screenX, float screenY) const {
    sf::FloatRect bounds(screenX, screenY, 0, 0);
    const std::unique_ptr<sf::Drawable> shape = getSFDrawable(screenX, screenY, 0, 0, 0);
    if (const auto* outline = dynamic_cast<const sf::Shape*>(shape.get())) {
        bounds = outline->getGlobalBounds();
    }
    const float radius = std::max(bounds.width, bounds.height) / 2 + SELECTION_RING_GAP;
    sf::CircleShape ring(radius, SELECTION_RING_POINTS);
    ring.setOrigin(radius, radius);
    ring.setPosition(bounds.left + bounds.width / 2, bounds.top + bounds.height / 2);
    ring.setFillColor(sf::Color::Transparent);
    ring.setOutlineColor(SELECTION_COLOUR);
    ring.setOutlineThickness(SELECTION_RING_THICKNESS);
    target.draw(ring);
}

int placeableObject::getAttackStrength() const {
    int sum = 0;
    for (const person* p : people) {
        sum += p->attack;
    }
    return sum;
}

int placeableObject::getDefenceStrength() const {
    int sum = 0;
    for (const person* p : people) {
        sum += p->defence;
    }
    return sum;
}

person* placeableObject::addNewPerson(std::unique_ptr<person> newcomer) {
    person* added = newcomer.get();
    made.push_back(std::move(newcomer));
    people.push_back(added);
    return added;
}

person* placeableObject::killRandomPerson() {
    if (people.empty()) {
        return nullptr;
    }
    const auto index = static_cast<std::size_t>(randomRange(0, numPeople() - 1));
    person* victim = people[index];
    people.erase(people.begin() + static_cast<std::ptrdiff_t>(index));
    victim->alive = false;
    return victim;
}

void placeableObject::removePerson(person* p) {
    const auto found = std::find(people.begin(), people.end(), p);
    if (found != people.end()) {
        people.erase(found);
    }
}

bool placeableObject::hasPerson(const person* p) const {
    return std::find(people.begin(), people.end(), p) != people.end();
}

person* placeableObject::selectRandomPerson() const {
    if (people.empty()) {
        return nullptr;
    }
    return people[static_cast<std::size_t>(randomRange(0, numPeople() - 1))];
}

void placeableObject::resetTargets() {
    attacking = false;
    merging = false;
    target = nullptr;
}

void placeableObject::clearTravelPath() {
    const std::lock_guard<std::mutex> lock(pathMutex);
    dropTravelPath();
}

void placeableObject::setAttackTarget(placeableObject* t) {
    attacking = true;
    target = t;
}

void placeableObject::setMergeTarget(placeableObject* t) {
    merging = true;
    target = t;
}

void placeableObject::giveEquipment(travelEquipment kind, int count) {
    equipment[kind] += count < 0 ? numPeople() : count;
}

bool placeableObject::everyoneHas(travelEquipment kind) const {
    const auto found = equipment.find(kind);
    return (found == equipment.end() ? 0 : found->second) >= numPeople();
}

travelAttributes placeableObject::getTravelAttributes() const {
    return {
        {raft, everyoneHas(raft)}, {mountainGear, everyoneHas(mountainGear)}, {horse, everyoneHas(horse)}};
}

float placeableObject::getSpeed() const {
    return everyoneHas(horse) ? speed * 2.0f : speed;
}

void placeableObject::setDestination(float tx, float ty) {
    moving = true;
    const int worldGrids = numHorizontalGrids();
    const int half = worldGrids / 2;
    if (tx - x > static_cast<float>(half)) {
        tx -= static_cast<float>(worldGrids);
    } else if (x - tx > static_cast<float>(half)) {
        tx += static_cast<float>(worldGrids);
    }
    destX = tx;
    destY = ty;
}

void placeableObject::setPath(float x, float y, bool explain) {
    if (pathInProgress) {
        std::cout << "Path calculation in progress, cannot calculate a new path.\n";
        return;
    }
    if (!microPatherSem || !graph) {
        throw std::logic_error("setPath: the run has no path searches");
    }
    // Raised here rather than on the search's thread, so that a second request is refused at once.
    pathInProgress = true;
    pathFailure = unreachableReason::none;
    pathAskedX = x;
    pathAskedY = y;
    pathQuery query = makePathQuery(*graph, *this, x, y, ++pathRequest);
    query.explain = explain;
    microPatherSem->submit(*this, std::move(query));
}

void placeableObject::cancelPath() {
    const std::lock_guard<std::mutex> lock(pathMutex);
    ++pathRequest;
    pathInProgress = false;
    pathFailure = unreachableReason::none;
}

void placeableObject::calculatePath(float x, float y) {
    if (!graph) {
        throw std::logic_error("calculatePath: the run has no pathing graph");
    }
    const std::atomic<bool> neverStop{false};
    pathInProgress = true;
    const pathQuery query = makePathQuery(*graph, *this, x, y, ++pathRequest);
    deliverPath(*this, query, findPath(*graph, query, neverStop), *graph);
}

void placeableObject::installPath(const std::vector<waypoint>& waypoints) {
    const std::lock_guard<std::mutex> lock(pathMutex);
    installPathHeld(waypoints);
}

void placeableObject::installPathHeld(const std::vector<waypoint>& waypoints) {
    travelPath = std::make_unique<std::vector<waypoint>>(waypoints);
    // `moving` is read without the lock: it must not drop for a moment while a new path goes in.
    if (travelPath->empty()) {
        moving = false;
    } else {
        setDestination(travelPath->front().first, travelPath->front().second);
    }
}

void placeableObject::consumeFood() {
    if (!isDayBoundary()) {
        return;
    }
    const int before = food;
    food -= foodConsumeRate * numPeople();
    const bool starving = food < 0;
    if (starving) {
        food = 0;
    }
    if (faction != nullptr) {
        faction->ledger.foodEaten += before - food;
    }
    if (!starving) {
        return;
    }
    // However large the deficit, one person a day starves.
    killRandomPerson();
    if (logEnemies || belongsToHuman()) {
        logToConsole("A citizen in " + name + " has died of starvation!");
    }
}
