#include "sim/gameOutcome.hpp"

#include "sim/Faction.hpp"
#include "sim/gameTime.hpp"
#include "sim/placeableObject.hpp"

#include <tuple>

factionStrength strengthOf(const Faction& faction) {
    factionStrength strength;
    for (const placeableObject* object : faction.objects) {
        ++(object->isMilitary ? strength.units : strength.cities);
        strength.people += object->numPeople();
    }
    return strength;
}

const Faction* largestFaction(const std::vector<std::unique_ptr<Faction>>& factions) {
    const Faction* largest = nullptr;
    std::tuple<int, int> most{0, 0};
    for (const std::unique_ptr<Faction>& faction : factions) {
        const factionStrength strength = strengthOf(*faction);
        const std::tuple<int, int> size{strength.people, strength.cities + strength.units};
        if (!faction->objects.empty() && (largest == nullptr || size > most)) {
            largest = faction.get();
            most = size;
        }
    }
    return largest;
}

bool gameOutcome::judge(const std::vector<std::unique_ptr<Faction>>& factions, const Faction* human,
                        int tick) {
    if (ended() || human == nullptr) {
        return false;
    }
    bool othersLeft = false;
    for (const std::unique_ptr<Faction>& faction : factions) {
        othersLeft = othersLeft || (faction.get() != human && !faction->objects.empty());
    }
    if (human->objects.empty()) {
        result = gameResult::defeat;
    } else if (!othersLeft && factions.size() > 1) {
        result = gameResult::victory;
    } else {
        return false;
    }
    endTick = tick;
    return true;
}

int gameOutcome::daysPlayed() const {
    return static_cast<int>(static_cast<std::int64_t>(endTick) * SECONDS_PER_TICK / SECONDS_PER_DAY);
}
