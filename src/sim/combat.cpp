#include "sim/combat.hpp"

#include "app/consoleLog.hpp"
#include "app/exitRequest.hpp"
#include "app/random.hpp"
#include "app/utilities.hpp"
#include "sim/Faction.hpp"
#include "sim/city.hpp"
#include "sim/militaryUnit.hpp"

#include <algorithm>
#include <iostream>

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
    if (attack + roll > defence - roll) {
        logToConsole("The attacker has won!");
        defender->defeat(attacker, roll);
    } else {
        logToConsole("The defender has won!");
        attacker->defeat(defender, roll);
    }
}

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
    // Nobody stands in two lists: the people now stand in the target only.
    source->people.clear();
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
    std::vector<person*> members;
    for (person* p : chosen) {
        if (source->hasPerson(p)) {
            source->removePerson(p);
            members.push_back(p);
        }
    }
    if (members.empty()) {
        return nullptr;
    }
    Faction* faction = source->faction;
    auto* unit = faction->keep(std::make_unique<militaryUnit>(
        faction->leader->name + "'s split Unit", faction, source->x, source->y, std::move(members)));
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
    Faction* faction = founder->faction;
    auto* founded = faction->keep(
        std::make_unique<city>(faction->leader->name + "'s city", faction, founder->x, founder->y, false));
    faction->addObject(founded);
    merge(founder, founded);
    return founded;
}
