// The whole simulation for a while, as the game runs it: every computer faction driven by the opponent, path
// searches on their threads, a tick and an opponent step every frame. Between frames the test splits, founds
// and merges as a player would, so that people move every way there is while searches install paths.
#include "sim/AIController.hpp"
#include "sim/combat.hpp"
#include "support/quietOutput.hpp"
#include "support/simulationScope.hpp"
#include "support/testFiles.hpp"
#include "ui/gameController.hpp"
#include "world/gridGeneration.hpp"
#include "world/iceCap.hpp"

#include <array>
#include <gtest/gtest.h>
#include <map>

namespace {
#if defined(KESTROVA_SANITIZED_BUILD)
constexpr int SOAK_TICKS = 1200; // the sanitizers slow everything down several times
#else
constexpr int SOAK_TICKS = 2400;
#endif

/// Every living person stands in exactly one list, of an object in play, and the dead in none; everyone
/// listed was made in this run.
void checkPeopleLedger() {
    std::map<const person*, std::pair<int, int>> listed; // lists in play and out of play, of everyone made
    for (const auto& faction : factions) {
        listed[faction->leader.get()];
        for (const auto& object : faction->objectsMade()) {
            for (const auto& made : object->peopleMade()) {
                listed[made.get()];
            }
        }
    }
    const std::size_t everyone = listed.size();
    for (const auto& faction : factions) {
        for (const auto& object : faction->objectsMade()) {
            for (const person* p : object->people) {
                ++(object->inPlay() ? listed[p].first : listed[p].second);
            }
        }
    }
    EXPECT_EQ(listed.size(), everyone) << "someone nobody made stands in a list";
    for (const auto& [p, lists] : listed) {
        EXPECT_EQ(lists, std::make_pair(p->alive ? 1 : 0, 0)) << p->name << (p->alive ? "" : ", dead");
    }
}

/// The goods and gear in play (food, gold, wood, iron, horses, mountain gear, rafts), less what the economy
/// brought into play and plus what left it with beaten units: constant, whatever merges, splits, foundings
/// and captures move around.
std::array<long long, 7> goodsLedger() {
    std::array<long long, 7> total{};
    for (const auto& faction : factions) {
        const economyLedger& flows = faction->ledger;
        for (std::size_t k = 0; k < total.size(); ++k) {
            total[k] += flows.lostInBattle[k] - (k < 4 ? flows.produced[k] : 0);
        }
        total[economyLedger::FOOD] += flows.foodEaten + flows.foodForChildren;
        for (const placeableObject* o : faction->objects) {
            for (const auto& [k, amount] :
                 {std::pair{0, o->food}, {1, o->gold}, {2, o->wood}, {3, o->iron}}) {
                total[k] += amount;
            }
            for (const auto& [kind, count] : o->equipment) {
                total[4 + kind] += count;
            }
        }
    }
    return total;
}

/// Units standing in water without a raft each, or on a mountain top without mountain gear each.
std::vector<std::string> unitsOnForbiddenGround() {
    std::vector<std::string> found;
    for (const auto& faction : factions) {
        for (const placeableObject* o : faction->objects) {
            const int height = graph->mapGridTerrain(wrapColumn(getMapGridX(o->x + 1.0f), graph->gridWidth),
                                                     getMapGridY(o->y));
            const travelAttributes gear = o->getTravelAttributes();
            if (o->isMilitary &&
                ((height <= 0 && !gear.at(raft)) || (height >= 7000 && !gear.at(mountainGear)))) {
                found.push_back(o->name + " at " + std::to_string(o->x) + ", " + std::to_string(o->y));
            }
        }
    }
    return found;
}

/// The first unit, or city, in play of at least two people of `faction`; null when it has none.
placeableObject* someObject(Faction& faction, bool military = true) {
    for (placeableObject* object : faction.objects) {
        if (object->isMilitary == military && object->numPeople() >= 2) {
            return object;
        }
    }
    return nullptr;
}
} // namespace

TEST(ThreadedSimulation, SoakWithEveryComputerFactionDrivenAndPeopleMovingEveryWay) {
    simulationScope run;
    std::tie(worldWidth, worldHeight, lArea, childChance, logEnemies) =
        std::make_tuple(190, 70, 30, 10, true);
    seed(2024u);
    temporaryDirectory images;
    std::ostringstream quiet;
    sf::Time now;
    quietOutput trace;
    graph = std::make_unique<aStarGraph>(worldWidth * 10, worldHeight * 10, quiet);
    controller = std::make_unique<gameController>([&now] { return now; });
    mapData = std::make_unique<worldMap>();
    northCap = std::make_unique<iceCap>();
    southCap = std::make_unique<iceCap>();
    controller->generateWorld(*mapData, *northCap, *southCap);
    factions = controller->generateFactions(30, "Soak", "Soak's Faction", *mapData, quiet);
    preloadGrids(*mapData, *graph, images.path(), 0, quiet);
    microPatherSem = std::make_unique<pathSearchPool>(*graph);
    AIHandler = std::make_unique<AIController>();
    for (std::size_t f = 6; f < factions.size(); ++f) { // factions 1 to 5 are left to the test
        AIHandler->addFaction(factions[f].get());
    }
    for (std::size_t f = 0; f < factions.size(); ++f) { // gear to move around, and rafts that open the sea
        factions[f]->objects[1]->giveEquipment(f % 3 == 0 ? raft : horse, static_cast<int>(f % 4));
    }
    const std::array<long long, 7> ledger = goodsLedger();
    std::map<std::string, std::size_t> seen;
    for (int frame = 1; frame <= SOAK_TICKS; ++frame) {
        const auto frameEnd = std::chrono::steady_clock::now() + std::chrono::milliseconds(4);
        now += sf::milliseconds(controller->tickInterval + 1);
        ASSERT_TRUE(controller->processGameTick());
        ASSERT_NO_THROW(AIHandler->updateAI()) << "no game over";
        // Every tenth frame a split, a founding or a merge on the spot in a driven faction, or a merge walked
        // by one of the others; now and then a driven faction's unit captures a city of the others.
        Faction& faction =
            *factions[static_cast<std::size_t>(frame % 40 == 0 ? randomRange(1, 5) : randomRange(6, 29))];
        placeableObject* unit = frame % 10 == 0 ? someObject(faction) : nullptr;
        placeableObject* home = unit != nullptr ? faction.objects.front() : nullptr;
        if (unit != nullptr && frame % 40 == 10) {
            seen["splits"] +=
                split(unit, {unit->people.begin(), unit->people.begin() + unit->numPeople() / 2}) != nullptr;
        } else if (unit != nullptr && frame % 40 == 20) {
            seen["foundings"] += foundCity(unit) != nullptr;
        } else if (unit != home && frame % 40 == 30) {
            seen["merges"] += merge(unit, home) != nullptr;
        } else if (unit != home && !unit->moving && !unit->pathInProgress) {
            unit->setMergeTarget(home);
            unit->setPath(home->x + 1.0f, home->y);
        }
        placeableObject* town = frame % 400 == 210 ? someObject(*factions[1 + frame / 400], false) : nullptr;
        for (std::size_t f = 6; town != nullptr && f < factions.size(); ++f) {
            if (placeableObject* victor = someObject(*factions[f])) {
                town->defeat(victor, 0); // as when the unit's attack on it wins
                town = nullptr;
            }
        }
        if (isDayBoundary() || frame % 100 == 0) {
            checkPeopleLedger();
            EXPECT_EQ(goodsLedger(), ledger) << "goods made or lost by frame " << frame;
        }
        const std::vector<std::string> forbidden = unitsOnForbiddenGround();
        EXPECT_TRUE(forbidden.empty()) << forbidden.front() << " (and " << forbidden.size() - 1 << " more)";
        microPatherSem->waitUntilIdle(frameEnd); // searches go on between ticks for a while
    }
    seen["paths"] = microPatherSem->pathsInstalled();
    endRun();
    const std::string out = trace.take();
    seen["attacks"] = countOf(run.console.text(), " has won!");
    seen["captures"] = countOf(out, "City defeat called.");
    seen["births"] = countOf(out, "A child was born in");
    seen["starved"] = countOf(run.console.text(), "has died of starvation!");
    seen["merges walked"] = countOf(out, "Merge complete") - seen["merges"] - seen["foundings"];
    const std::map<std::string, std::size_t> least = {{"attacks", 3},   {"births", 20}, {"captures", 3},
                                                      {"foundings", 4}, {"merges", 5},  {"merges walked", 1},
                                                      {"paths", 50},    {"splits", 5},  {"starved", 20}};
    for (const auto& [what, count] : least) {
        EXPECT_GE(seen[what], count * SOAK_TICKS / 2400) << what << " in " << SOAK_TICKS << " ticks";
    }
}
