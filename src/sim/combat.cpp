#include "sim/combat.hpp"

#include "app/consoleLog.hpp"
#include "app/exitRequest.hpp"
#include "app/gameInit.hpp"
#include "app/random.hpp"
#include "app/settings.hpp"
#include "app/utilities.hpp"
#include "sim/Faction.hpp"
#include "sim/city.hpp"
#include "sim/eventReports.hpp"
#include "sim/militaryUnit.hpp"
#include "sim/player.hpp"

#include <algorithm>
#include <array>
#include <iostream>
#include <iterator>
#include <limits>

void logLeftPlay(const placeableObject& object) {
    logToConsole(object.name + " is no longer in play.");
}

void attackRoll(placeableObject* attacker, placeableObject* defender) {
    if (attacker == nullptr || defender == nullptr || !attacker->inPlay() || !defender->inPlay()) {
        return;
    }
    const int attack = attacker->getAttackStrength();
    const int defence = defender->getDefenceStrength();
    const int half = std::max(attack, defence) / 2;
    const int roll = randomRange(-half, half);
    const bool attackerWon = attack + roll > defence - roll;
    const Faction* human = humanPlayer ? humanPlayer->faction : nullptr;
    const bool humans = human != nullptr && (attacker->faction == human || defender->faction == human);
    if (humans || logEnemies) {
        logToConsole(battleReport(*attacker, *defender, attackerWon, human),
                     humans ? logTone::alert : logTone::normal);
    }
    if (attackerWon) {
        defender->defeat(attacker, roll);
    } else {
        attacker->defeat(defender, roll);
    }
}

namespace {

/// `from` plus `amount`, held at the largest int rather than wrapping round.
int addHeld(int from, long long amount) {
    return static_cast<int>(std::min<long long>(from + amount, std::numeric_limits<int>::max()));
}

/// Moves `share(amount)` of each good and each kind of gear from `from` to `to`; `from` keeps the rest.
template <class Share> void moveGoods(placeableObject& from, placeableObject& to, Share share) {
    const std::array<int*, 4> given = from.goods();
    const std::array<int*, 4> taken = to.goods();
    for (std::size_t good = 0; good < given.size(); ++good) {
        const long long moved = share(*given[good]);
        *given[good] -= static_cast<int>(moved);
        *taken[good] = addHeld(*taken[good], moved);
    }
    for (auto& [kind, count] : from.equipment) {
        const long long moved = share(count);
        count -= static_cast<int>(moved);
        to.equipment[kind] = addHeld(to.equipment[kind], moved);
    }
}

} // namespace

placeableObject* merge(placeableObject* source, placeableObject* target) {
    std::cout << "Merging: " << static_cast<const void*>(source);
    if (source == nullptr || target == nullptr) {
        stopWithMessage("ERROR: Attempting to merge a NULL object!\n");
    }
    if (source == target) {
        std::cout << "\n";
        logToConsole(SELF_MERGE_REFUSAL);
        return nullptr;
    }
    for (const placeableObject* object : {source, target}) {
        if (!object->inPlay()) {
            std::cout << "\n";
            logLeftPlay(*object);
            return nullptr;
        }
    }

    const std::size_t before = target->people.size();
    std::cout << "Target population: " << intToString(static_cast<int>(before + source->people.size()))
              << "\n";
    for (std::size_t i = 0; i < source->people.size(); ++i) {
        std::cout << "Merging person at index: " << intToString(static_cast<int>(i)) << "\n";
        target->people.push_back(source->people[i]);
    }
    // Nobody stands in two lists, and nothing is lost: the people, goods and gear are the target's now.
    source->people.clear();
    moveGoods(*source, *target, [](int amount) { return static_cast<long long>(amount); });
    source->faction->removeObject(source);
    std::cout << "Merge complete\n";
    return target;
}

placeableObject* split(placeableObject* source, const std::set<person*>& chosen) {
    if (source == nullptr) {
        stopWithMessage("ERROR: Attempting to split a NULL object!\n");
    }
    if (!source->inPlay()) {
        logLeftPlay(*source);
        return nullptr;
    }
    // In the source's order, so that the same game splits the same way on every run.
    const long long before = source->numPeople();
    std::vector<person*> members;
    std::copy_if(source->people.begin(), source->people.end(), std::back_inserter(members),
                 [&chosen](person* p) { return chosen.count(p) > 0; });
    if (members.empty()) {
        return nullptr;
    }
    for (person* p : members) {
        source->removePerson(p);
    }
    Faction* faction = source->faction;
    auto* unit = faction->keep(std::make_unique<militaryUnit>(
        faction->leader->name + "'s split Unit", faction, source->x, source->y, std::move(members)));
    // The new unit brings nothing of its own: it takes its people's share of the goods and the gear, rounded
    // down.
    for (int* good : unit->goods()) {
        *good = 0;
    }
    const long long taken = unit->numPeople();
    moveGoods(*source, *unit, [&](int amount) { return amount * taken / before; });
    faction->leader->assignArmy(unit);
    return unit;
}

city* foundCity(placeableObject* founder) {
    if (founder == nullptr) {
        return nullptr;
    }
    if (!founder->inPlay()) {
        logLeftPlay(*founder);
        return nullptr;
    }
    if (!founder->isMilitary) {
        logToConsole(CITY_FOUNDING_REFUSAL);
        return nullptr;
    }
    Faction* faction = founder->faction;
    auto* founded = faction->keep(
        std::make_unique<city>(faction->leader->name + "'s city", faction, founder->x, founder->y, false));
    faction->addObject(founded);
    merge(founder, founded);
    return founded;
}
