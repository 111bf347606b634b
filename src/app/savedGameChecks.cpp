#include "app/savedGameChecks.hpp"

#include "app/gameArchive.hpp"
#include "app/savedGame.hpp"
#include "sim/Faction.hpp"
#include "sim/factionStatistics.hpp"
#include "sim/gameOutcome.hpp"
#include "sim/gameTime.hpp"
#include "sim/placeableObject.hpp"
#include "sim/player.hpp"

#include <cmath>
#include <cstdint>
#include <limits>
#include <set>
#include <stdexcept>
#include <string>

namespace {

/// Positions beyond this are damage: far round the world, yet still whole node numbers in an int.
constexpr float FARTHEST = 1.0e6f;
/// Fastest a unit may walk [Units: grid units per tick]: a thousand times a unit on foot.
constexpr float FASTEST = 1.0f;
/// Most of a resource, an item, a skill, or of all people's attack or defence together: beyond any game's,
/// yet far enough from int's limit that a game adds to it for ages and a combat's roll on top still fits.
constexpr std::int64_t MOST = 1'000'000'000;
/// Most of anything a faction's ledger may hold: beyond any game's, and a tenth of its 64 bits' limit.
constexpr long long MOST_IN_LEDGER = 900'000'000'000'000'000;
/// Last tick a game may be saved at: the counter goes on for as long again.
constexpr int LAST_TICK = std::numeric_limits<int>::max() / 2;
/// Latest reading of the game clock a game may be saved at: 30 years of play, the clock's 64 bits good for
/// ten thousand times as long.
constexpr std::int64_t LATEST_CLOCK_MICROSECONDS = 30LL * 365 * 24 * 3600 * 1'000'000;

void require(bool holds, const std::string& what) {
    if (!holds) {
        throw std::runtime_error(what);
    }
}

bool sensible(float value) {
    return std::isfinite(value) && std::fabs(value) <= FARTHEST;
}

void requireAmount(std::int64_t amount, const std::string& what) {
    require(amount >= 0 && amount <= MOST, what + " at " + std::to_string(amount));
}

/// A faction's totals only grow, by at most a few int amounts a day each.
void checkLedger(const economyLedger& ledger) {
    const auto requireTotal = [](long long total) {
        require(total >= 0 && total <= MOST_IN_LEDGER, "a faction's ledger at " + std::to_string(total));
    };
    for (const long long total : ledger.produced) {
        requireTotal(total);
    }
    requireTotal(ledger.foodEaten);
    requireTotal(ledger.foodForChildren);
    for (const long long total : ledger.lostInBattle) {
        requireTotal(total);
    }
}

void checkCalendar(const gameParts& game) {
    require(game.tick >= 0 && game.tick <= LAST_TICK, "a tick of " + std::to_string(game.tick));
    require(game.time == std::int64_t{game.tick} * SECONDS_PER_TICK,
            "a game date of " + std::to_string(game.time) + " s at tick " + std::to_string(game.tick));
    // The clock runs on from its last tick.
    const std::int64_t clockMilliseconds = game.clockMicroseconds / 1000;
    require(game.clockMicroseconds >= 0 && game.clockMicroseconds <= LATEST_CLOCK_MICROSECONDS,
            "a game clock at " + std::to_string(game.clockMicroseconds) + " µs");
    require(game.lastTickTime >= 0 && game.lastTickTime <= clockMilliseconds,
            "a last tick at " + std::to_string(game.lastTickTime) + " ms of a clock at " +
                std::to_string(clockMilliseconds) + " ms");
}

void checkObject(const placeableObject& o) {
    // The direction towards the waypoint is worked out afresh before every use, and is NaN where an object
    // stands on its waypoint.
    for (const float value : {o.x, o.y, o.destX, o.destY, o.pathAskedX, o.pathAskedY}) {
        require(sensible(value), "a position of " + std::to_string(value));
    }
    require(std::isfinite(o.speed) && o.speed >= 0.0f && o.speed <= FASTEST,
            "a speed of " + std::to_string(o.speed));
    if (o.travelPath) {
        for (const waypoint& point : *o.travelPath) {
            require(sensible(point.first) && sensible(point.second), "a waypoint outside the world");
        }
    }
    requireAmount(o.food, "food");
    requireAmount(o.gold, "gold");
    requireAmount(o.wood, "wood");
    requireAmount(o.iron, "iron");
    for (const auto& [kind, count] : o.equipment) {
        requireAmount(count, "travel gear");
    }
}

/// Everyone listed stands in one list only, alive; the strengths, summed over everyone, stay in range
/// however people merge.
void checkPeople(const gameParts& game) {
    std::set<const person*> listed;
    std::int64_t attack = 0;
    std::int64_t defence = 0;
    const auto count = [&](const person& p) {
        for (const auto& [job, skill] : p.skills) {
            requireAmount(skill, "a skill");
        }
        requireAmount(p.attack, "an attack");
        requireAmount(p.defence, "a defence");
        attack += p.attack;
        defence += p.defence;
    };
    for (const std::unique_ptr<Faction>& faction : game.factions) {
        count(*faction->leader);
        for (const auto& object : faction->objectsMade()) {
            for (const auto& p : object->peopleMade()) {
                count(*p);
            }
            for (const person* p : object->people) {
                require(p != nullptr, "a missing person in a list of people");
                require(p->alive, "a dead person in a list of people");
                require(listed.insert(p).second, "a person in two lists of people");
            }
        }
    }
    requireAmount(attack, "the attack of everyone");
    requireAmount(defence, "the defence of everyone");
}

/// The daily statistics: days in order, none after the game's, each with every faction's totals, which are
/// sums of counts and goods.
void checkStatistics(const gameParts& game) {
    const std::int64_t today = game.time / SECONDS_PER_DAY;
    int lastDay = 0;
    for (const factionStatistics::day& day : game.statistics) {
        require(day.number > lastDay && day.number <= today && day.factions.size() == game.factions.size(),
                "statistics of day " + std::to_string(day.number) + " out of order, after the game's day " +
                    std::to_string(today) + " or for " + std::to_string(day.factions.size()) + " factions");
        lastDay = day.number;
        for (const factionTotals& totals : day.factions) {
            for (const std::int32_t value : totals.values) {
                require(value >= 0, "a statistic of " + std::to_string(value));
            }
        }
    }
}

/// The paths asked for and not yet found, which the game asks for again: from and to a node of the world.
void checkPendingPaths(const gameParts& game, const savedGameWorld& world) {
    // 100 nodes a grid of 10 map cells.
    const std::int64_t nodes = std::int64_t{world.width} * 10 * world.height * 10;
    for (const auto& [object, query] : game.pendingPaths) {
        require(object != nullptr && sensible(query.destinationX) && sensible(query.destinationY),
                "a path asked for by nothing, or to nowhere");
        for (const int node : {query.startNode, query.goalNode}) {
            require(node >= 0 && node < nodes,
                    "a path from or to node " + std::to_string(node) + " of " + std::to_string(nodes));
        }
    }
}

} // namespace

void checkLoadedGame(const gameParts& game, const savedGameWorld& world) {
    checkCalendar(game);
    std::set<const placeableObject*> inPlay;
    for (const std::unique_ptr<Faction>& faction : game.factions) {
        require(faction->leader->faction == faction.get(), "a leader of another faction");
        checkLedger(faction->ledger);
        for (const city* c : faction->leader->cities) {
            require(c != nullptr, "a missing city in a leader's cities");
        }
        for (const placeableObject* object : faction->objects) {
            require(object != nullptr && object->faction == faction.get() && inPlay.insert(object).second,
                    "an object in play for a faction it does not belong to");
        }
        for (const auto& object : faction->objectsMade()) {
            checkObject(*object);
        }
    }
    checkPeople(game);
    if (game.human) {
        require(game.human->person != nullptr && game.human->faction != nullptr,
                "a player without a leader or a faction");
    }
    for (const Faction* driven : game.computerFactions) {
        require(driven != nullptr, "the computer opponent drives a faction that is not there");
    }
    checkPendingPaths(game, world);
    checkStatistics(game);
    // The tick a game ended on, and none while it goes on.
    const gameOutcome& outcome = game.outcome;
    require(outcome.endTick >= 0 && (outcome.ended() || outcome.endTick == 0),
            "a game's end at tick " + std::to_string(outcome.endTick));
}
