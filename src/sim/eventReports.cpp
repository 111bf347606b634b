#include "sim/eventReports.hpp"

#include "app/utilities.hpp"
#include "sim/Faction.hpp"
#include "sim/gameOutcome.hpp"
#include "sim/placeableObject.hpp"

#include <algorithm>
#include <cstdio>

namespace {
/// Places named in full in the starvation alert; the rest are counted.
constexpr std::size_t PLACES_NAMED = 3;

std::string factionName(const placeableObject& object) {
    return object.faction != nullptr ? object.faction->name : "no faction";
}

bool isHumans(const placeableObject& object, const Faction* human) {
    return human != nullptr && object.faction == human;
}

/// "Your unit Rua's Unit" for the human's, "Rua's Unit of Rua's Faction" for another's.
std::string named(const placeableObject& object, const Faction* human) {
    if (isHumans(object, human)) {
        return std::string(object.isMilitary ? "Your unit " : "Your city ") + object.name;
    }
    return object.name + " of " + factionName(object);
}

std::string where(const placeableObject& object) {
    char text[64];
    std::snprintf(text, sizeof text, "(%.1f, %.1f)", static_cast<double>(object.x) + 1.0,
                  static_cast<double>(object.y));
    return text;
}
} // namespace

std::string battleReport(const placeableObject& attacker, const placeableObject& defender, bool attackerWon,
                         const Faction* human) {
    const placeableObject& winner = attackerWon ? attacker : defender;
    const placeableObject& loser = attackerWon ? defender : attacker;
    // A city that loses changes hands; a unit that loses is destroyed.
    const bool taken = !loser.isMilitary;
    std::string news = attackerWon ? "The attacker has won! " : "The defender has won! ";
    if (isHumans(loser, human) && !isHumans(winner, human)) {
        news += named(loser, human) + (taken ? " was taken" : " was destroyed") +
                (attackerWon ? " by " : " attacking ") + named(winner, human);
    } else if (attackerWon) {
        news += named(winner, human) + (taken ? " took " + loser.name + " from " + factionName(loser)
                                              : " destroyed " + named(loser, human));
    } else {
        news += named(winner, human) + (taken ? " took the attacking " : " destroyed the attacking ") +
                named(loser, human);
    }
    return news + " at " + where(defender) + ".";
}

std::string placeName(const placeableObject& object, const std::vector<std::unique_ptr<Faction>>& everyone) {
    for (const std::unique_ptr<Faction>& faction : everyone) {
        if (faction.get() == object.faction) {
            continue;
        }
        for (const placeableObject* other : faction->objects) {
            if (other->name == object.name) {
                return object.name + " (" + factionName(object) + ")";
            }
        }
    }
    return object.name;
}

std::string starvationAlert(const std::vector<std::string>& places) {
    std::string list;
    const std::size_t named = std::min(places.size(), PLACES_NAMED);
    for (std::size_t i = 0; i < named; ++i) {
        const bool last = i + 1 == named && places.size() <= PLACES_NAMED;
        list += (i == 0 ? "" : last ? " and " : ", ") + places[i];
    }
    if (places.size() > PLACES_NAMED) {
        list += " and " + std::to_string(places.size() - PLACES_NAMED) + " more places";
    }
    return "Your people are starving in " + list +
           (places.size() == 1 ? ": one died today." : ": one died in each today.");
}

std::string daysText(int days) {
    return days < 1 ? "less than a day" : countedText(days, "day", "days");
}

std::string endOfGameAlert(const gameOutcome& outcome) {
    const std::string after = " after " + daysText(outcome.daysPlayed()) + ".";
    if (outcome.result == gameResult::victory) {
        return "You have won: no other faction has a city or a unit left" + after;
    }
    return "You have lost: you have no city and no unit left" + after + " The game goes on for watching.";
}
