#include "ui/gameController.hpp"

#include "app/consoleLog.hpp"
#include "app/exitRequest.hpp"
#include "app/gameInit.hpp"
#include "app/nameLists.hpp"
#include "app/random.hpp"
#include "app/utilities.hpp"
#include "path/pathGeometry.hpp"
#include "sim/Faction.hpp"
#include "sim/city.hpp"
#include "sim/combat.hpp"
#include "sim/gameTime.hpp"
#include "sim/militaryUnit.hpp"
#include "sim/player.hpp"
#include "ui/unitActions.hpp"
#include "world/altitudes.hpp"
#include "world/grid.hpp"
#include "world/iceCap.hpp"
#include "world/terrainImage.hpp"
#include "world/worldMap.hpp"

#include <algorithm>
#include <chrono>
#include <utility>

namespace {

constexpr int CELLS_PER_GRID = 10;
/// Where a faction's unit starts, right of and below its city [Units: grid units].
constexpr float UNIT_OFFSET = 0.1f;

/// Stops the program when no map cell could take a city, as the placement would search forever.
void requirePlaceableLand(const worldMap& map) {
    for (int x = 0; x < map.mapWidth; ++x) {
        for (int y = 0; y < map.mapHeight; ++y) {
            if (aboveWaterAndBelowMountiantop(x, y, map.data)) {
                return;
            }
        }
    }
    throw exitRequest(1,
                      "The world has no land between sea level and the mountain tops to place the factions "
                      "on. Choose another seed, or a larger landArea in config.xml.");
}

/// Heights of the pathing graph's nodes as the world's cell grids will give them, before the graph is filled:
/// the node's cell grid refined from the map, the last one kept for the next question.
class nodeHeightProbe {
  public:
    explicit nodeHeightProbe(const worldMap& map) : map(map) {}

    /// The node under (x, y), in grid units without the +1.0 offset, is land a unit may stand on.
    bool landAt(float x, float y) {
        const int nodeX = wrapColumn(getMapGridX(x + 1.0f), map.mapWidth * 10);
        const int nodeY = getMapGridY(y);
        if (nodeY < 0 || nodeY >= map.mapHeight * 10) {
            return false;
        }
        const sf::Vector2i block(nodeX / 100, nodeY / 100);
        if (block != refined) {
            terrain.gridFromCorners(block.x, block.y, map.data, false);
            terrain.refine();
            refined = block;
        }
        const std::int32_t height =
            terrain.data(grid::cellsPerNode * (nodeX % 100), grid::cellsPerNode * (nodeY % 100));
        return height > WATER_ALTITUDE && height < MOUNTIAN_TOP_ALTITUDE;
    }

  private:
    const worldMap& map;
    grid terrain;
    sf::Vector2i refined{-1, -1};
};

/// A faction's first city at (x, y) and its first unit beside it, both given to the leader. The unit starts
/// right of and below the city, or where that is water or a mountain top, at the first of the other spots as
/// far from the city that is land.
void placeFirstObjects(Faction& faction, std::string cityName, float x, float y, nodeHeightProbe& ground) {
    commander& leader = *faction.leader;
    leader.addCity(faction.keep(std::make_unique<city>(std::move(cityName), &faction, x, y, true)));
    sf::Vector2f unit(x + UNIT_OFFSET, y + UNIT_OFFSET);
    for (const auto& [dx, dy] :
         {std::pair{1, 1}, {1, 0}, {0, 1}, {-1, 1}, {1, -1}, {-1, 0}, {0, -1}, {-1, -1}}) {
        const sf::Vector2f spot(x + static_cast<float>(dx) * UNIT_OFFSET,
                                y + static_cast<float>(dy) * UNIT_OFFSET);
        if (ground.landAt(spot.x, spot.y)) {
            unit = spot;
            break;
        }
    }
    leader.assignArmy(
        faction.keep(std::make_unique<militaryUnit>(leader.name + "'s Unit", &faction, unit.x, unit.y)));
}

} // namespace

gameController::gameController(sftools::Chronometer::timeSource clock) : gameClock(std::move(clock)) {
    // Every game, a relaunched one too, starts on tick 0 of 1 January 1970, as its clock starts at zero.
    currentGameTick = 0;
    gameTime = 0;
}

void gameController::generateWorld(worldMap& map, iceCap& north, iceCap& south) {
    map.init();
    map.gen();
    map.setArea();
    map.tuneEdges();
    north.gen();
    south.gen();
}

void gameController::getRandomPlacementLocation(float* x, float* y, const worldMap& map) {
    for (;;) {
        const int cellX = randomRange(0, map.mapWidth - 1);
        const int cellY = randomRange(0, map.mapHeight - 1);
        if (!aboveWaterAndBelowMountiantop(cellX, cellY, map.data)) {
            continue;
        }
        *x = static_cast<float>(cellX) / 10.0f;
        *y = static_cast<float>(cellY) / 10.0f;
        // Points (60 i, 60 j) of the cell's grid are lattice points, which hold the map's own heights: the
        // grid need not be built to read them.
        const int i = randomRange(0, 9);
        const int j = randomRange(0, 9);
        const int gridLeft = cellX / CELLS_PER_GRID * CELLS_PER_GRID;
        const int gridTop = cellY / CELLS_PER_GRID * CELLS_PER_GRID;
        if (aboveWaterAndBelowMountiantop(gridLeft + i, gridTop + j, map.data)) {
            *x += static_cast<float>(i) / 100.0f;
            *y += static_cast<float>(j) / 100.0f;
            return;
        }
    }
}

std::vector<std::unique_ptr<Faction>>
gameController::generateFactions(int count, const std::string& humanName, const std::string& humanFactionName,
                                 const worldMap& map, std::ostream& out) {
    loadNameLists();
    requirePlaceableLand(map);
    std::vector<std::unique_ptr<Faction>> made;
    if (count < 1) {
        return made;
    }
    float x = 0.0f;
    float y = 0.0f;

    nodeHeightProbe ground(map);
    Faction& human = *made.emplace_back(std::make_unique<Faction>(humanFactionName, humanName));
    getRandomPlacementLocation(&x, &y, map);
    placeFirstObjects(human, humanName + "'s city", x, y, ground);
    humanPlayer = std::make_unique<player>(humanFactionName, &human, human.leader.get());
    out << "Generated human faction!\n";

    for (int i = 1; i < count; ++i) {
        // The names are drawn in this order, which a seed's factions depend on.
        std::string factionName = selectRandomFactionName();
        std::string leaderName = selectRandomCommanderName();
        Faction& faction =
            *made.emplace_back(std::make_unique<Faction>(std::move(factionName), std::move(leaderName)));
        getRandomPlacementLocation(&x, &y, map);
        placeFirstObjects(faction, selectRandomCityName(), x, y, ground);
    }
    return made;
}

int gameController::processGameTick() {
    reportUnreachableOrders();
    // sf::Time's milliseconds are 32 bits, which a clock running for 25 days overflows.
    const std::int64_t now = gameClock.getElapsedTime().asMicroseconds() / 1000;
    const std::int64_t interval = speed.interval(tickInterval);
    if (speed.factor() <= 1) {
        // One tick a frame at most, once more than the interval has passed.
        if (lastTickTime >= now - interval) {
            return 0;
        }
        lastTickTime = now;
        takeTick();
        speed.recordFrame(now, 1, false);
        return 1;
    }
    // Faster: every tick the game clock asks for, unless they would hold the frame too long; those are let
    // go.
    const std::int64_t due = (now - lastTickTime) / interval;
    const auto started = std::chrono::steady_clock::now();
    int taken = 0;
    while (taken < due && (taken == 0 || std::chrono::steady_clock::now() - started < tickBudget)) {
        takeTick();
        ++taken;
    }
    const bool fellBehind = taken < due;
    lastTickTime = fellBehind ? now : lastTickTime + taken * interval;
    speed.recordFrame(now, taken, fellBehind);
    return taken;
}

void gameController::takeTick() {
    ++currentGameTick;
    gameTime += SECONDS_PER_TICK;
    // Every object in play as the tick starts steps once, whatever the updates do to the lists: an object
    // that leaves play (merged, defeated) before its turn does not step, and a city captured by an earlier
    // object's attack is not met again in its new faction.
    stepping.clear();
    for (const auto& faction : factions) {
        stepping.insert(stepping.end(), faction->objects.begin(), faction->objects.end());
    }
    for (placeableObject* object : stepping) {
        if (object->inPlay()) {
            object->update();
        }
    }
    statistics.observeTick(gameTime, factions);
    if (afterEachTick) {
        afterEachTick();
    }
}

bool gameController::humanOwns(const placeableObject& object) const {
    if (!humanPlayer || humanPlayer->person == nullptr) {
        return false;
    }
    const person* human = humanPlayer->person;
    return object.owner == human || (object.faction != nullptr && object.faction->leader.get() == human);
}

void gameController::orderMove(float cursorX, float cursorY) {
    if (selectedObject == nullptr) {
        return;
    }
    context = noOrder;
    if (!humanOwns(*selectedObject)) {
        logToConsole("You can not move an object that you do not own.");
        return;
    }
    if (!selectedObject->inPlay()) {
        logLeftPlay(*selectedObject);
        return;
    }
    if (!selectedObject->isMilitary) {
        logToConsole(CITY_MOVE_REFUSAL);
        return;
    }
    logToConsole("Ordering move to: (" + floatToString(cursorX) + ")(" + floatToString(cursorY) + ")");
    selectedObject->resetTargets();
    requestPath(cursorX, cursorY);
}

void gameController::requestPath(float x, float y) {
    // Read before the request: a search may end before setPath returns, and one already running is kept.
    const bool submitted = !selectedObject->pathInProgress;
    selectedObject->setPath(x, y, true);
    if (submitted) {
        awaitingPaths.push_back(orderedPath{selectedObject, x, y, selectedObject->pathRequest});
    }
}

std::string unreachableText(const std::string& name, float x, float y, unreachableReason reason) {
    std::string line = name + " finds no path to (" + floatToString(x) + ")(" + floatToString(y) + ")";
    switch (reason) {
    case unreachableReason::needsRaft:
        return line + ": it needs a raft for everyone.";
    case unreachableReason::needsMountainGear:
        return line + ": it needs mountain gear for everyone.";
    case unreachableReason::needsRaftAndMountainGear:
        return line + ": it needs rafts and mountain gear for everyone.";
    default:
        return line + ".";
    }
}

void gameController::reportUnreachableOrders() {
    const auto ended = [](const orderedPath& order) {
        // A later request (or Stop) replaced this one: it is no longer the order the object follows.
        if (order.object->pathRequest != order.request) {
            return true;
        }
        if (order.object->pathInProgress) {
            return false;
        }
        const unreachableReason reason = order.object->pathFailure;
        if (reason != unreachableReason::none) {
            logToConsole(unreachableText(order.object->name, order.x, order.y, reason));
        }
        return true;
    };
    awaitingPaths.erase(std::remove_if(awaitingPaths.begin(), awaitingPaths.end(), ended),
                        awaitingPaths.end());
}

void gameController::awaitPaths(std::vector<std::pair<placeableObject*, pathQuery>> pending) {
    toResume = std::move(pending);
    for (const auto& [object, query] : toResume) {
        object->pathInProgress = true;
    }
}

void gameController::resumePendingPaths() {
    for (auto& [object, query] : toResume) {
        query.request = ++object->pathRequest;
        query.requested = std::chrono::steady_clock::now();
        microPatherSem->submit(*object, std::move(query));
    }
    toResume.clear();
}

void gameController::orderAttack(placeableObject* target) {
    if (orderTowards(target, "You can not order an object that you do not own to make an attack.", "attack",
                     false)) {
        selectedObject->setAttackTarget(target);
    }
}

void gameController::orderMerge(placeableObject* target) {
    if (orderTowards(target, "You can not order an object that you do not own to merge.", "merge", true)) {
        selectedObject->setMergeTarget(target);
    }
}

bool gameController::orderTowards(placeableObject* target, const std::string& refusal,
                                  const std::string& verb, bool merging) {
    if (selectedObject == nullptr) {
        return false;
    }
    context = noOrder;
    if (!humanOwns(*selectedObject)) {
        logToConsole(refusal);
        return false;
    }
    for (const placeableObject* object : {selectedObject, target}) {
        if (object != nullptr && !object->inPlay()) {
            logLeftPlay(*object);
            return false;
        }
    }
    if (target == nullptr) {
        return false;
    }
    if (!selectedObject->isMilitary) {
        logToConsole(merging ? CITY_MERGE_REFUSAL : CITY_ATTACK_REFUSAL);
        return false;
    }
    if (merging && target == selectedObject) {
        logToConsole(SELF_MERGE_REFUSAL);
        return false;
    }
    logToConsole("Ordering " + verb + " on " + target->name + " (" + floatToString(target->x + 1.0f) + ")(" +
                 floatToString(target->y) + ")");
    selectedObject->resetTargets();
    requestPath(target->x + 1.0f, target->y);
    return true;
}
