#include "ui/panelTexts.hpp"

#include "app/utilities.hpp"
#include "sim/Faction.hpp"
#include "sim/commander.hpp"
#include "sim/placeableObject.hpp"
#include "ui/gameSpeed.hpp"

#include <array>
#include <ctime>
#include <iomanip>
#include <sstream>

namespace {

std::string ownerName(const placeableObject& object) {
    return object.owner != nullptr ? object.owner->name : "NULL";
}

std::string factionName(const placeableObject& object) {
    return object.faction != nullptr ? object.faction->name : "NULL";
}

/// "x + 1, y": the position as the user sees it.
std::string position(const placeableObject& object) {
    return floatToString(object.x + 1.0f) + ", " + floatToString(object.y);
}

/// The first line of the panels: the name, and whether the object has left play (merged, defeated,
/// founded into a city), since the panels go on showing it.
std::string headline(const placeableObject& object) {
    return object.inPlay() ? object.name : object.name + " (no longer in play)";
}

template <class Key> int countOf(const std::map<Key, int>& counts, Key key) {
    const auto found = counts.find(key);
    return found == counts.end() ? 0 : found->second;
}

bool flagOf(const travelAttributes& attributes, travelEquipment kind) {
    const auto found = attributes.find(kind);
    return found != attributes.end() && found->second;
}

std::string citizenEntry(int number, const person& citizen) {
    return intToString(number) + ". " + citizen.name +
           "\n   Gender: " + (citizen.isMale ? "male" : "female") +
           ", Job: " + occupationStrings[static_cast<std::size_t>(citizen.job)] +
           ", Atk: " + intToString(citizen.attack) + ", Def: " + intToString(citizen.defence) +
           "\n   Exp: Farming: " + intToString(countOf(citizen.skills, Farmer)) +
           ", Mining: " + intToString(countOf(citizen.skills, Miner)) +
           ", Trade: " + intToString(countOf(citizen.skills, Merchant)) +
           ", Woodcutting: " + intToString(countOf(citizen.skills, Woodcutter)) + "\n";
}

} // namespace

std::string commandPanelText(const placeableObject& object) {
    return headline(object) + "\ncoordinates: (" + position(object) + ")\n" +
           "Faction: " + factionName(object) + "\nOwner: " + ownerName(object) +
           "\nAttack strength: " + intToString(object.getAttackStrength()) +
           "\nDefence strength: " + intToString(object.getDefenceStrength()) +
           "\nPopulation: " + intToString(object.numPeople()) + "\nGold: " + intToString(object.gold) +
           "\nFood: " + intToString(object.food) + "\nWood: " + intToString(object.wood) +
           "\nIron: " + intToString(object.iron);
}

std::string gameStatusText(int gameTick, std::int64_t gameSeconds) {
    return "Game tick: " + intToString(gameTick) + "\nDate: " + gameDateText(gameSeconds) + "\n";
}

std::string gameSpeedText(double factor, std::optional<double> reached) {
    std::string text = "Speed: " + gameSpeed::nameOf(factor);
    if (reached) {
        std::ostringstream shown;
        shown << std::fixed << std::setprecision(1) << *reached;
        text += ", reaching " + shown.str() + "x";
    }
    return text;
}

std::string gameDateText(std::int64_t gameSeconds) {
    const std::time_t seconds = static_cast<std::time_t>(gameSeconds);
    std::tm date{};
    std::array<char, 64> asctimeForm{};
    // asctime's own form, without its fixed buffer, which years past 9999 would overrun.
    if (gmtime_r(&seconds, &date) == nullptr ||
        std::strftime(asctimeForm.data(), asctimeForm.size(), "%a %b %e %H:%M:%S %Y", &date) == 0) {
        return "?";
    }
    return asctimeForm.data();
}

std::string infoBoxText(const placeableObject& object) {
    const travelAttributes attributes = object.getTravelAttributes();
    std::string text =
        headline(object) + "\ncoordinates: (" + position(object) + ")\n" + "Faction: " + factionName(object) +
        "\nOwner: " + ownerName(object) + "\nAttack strength: " + intToString(object.getAttackStrength()) +
        "\nDefence strength: " + intToString(object.getDefenceStrength()) +
        "\nPopulation: " + intToString(object.numPeople()) +
        "\nResources:     Gold: " + intToString(object.gold) + ", Food: " + intToString(object.food) +
        ", Wood: " + intToString(object.wood) + ", Iron: " + intToString(object.iron) +
        "\nEquipment:    Horses: " + intToString(countOf(object.equipment, horse)) +
        ", MountainGear: " + intToString(countOf(object.equipment, mountainGear)) +
        ", Rafts: " + intToString(countOf(object.equipment, raft)) +
        "\nAttributes:    Mounted: " + boolToString(flagOf(attributes, horse)) +
        ", MountainGear: " + boolToString(flagOf(attributes, mountainGear)) +
        ", Raft: " + boolToString(flagOf(attributes, raft)) +
        "\npurchasingAbility: " + boolToString(object.purchasingAbility) + "\n\nCitizens:\n";
    for (int i = 0; i < object.numPeople(); ++i) {
        text += citizenEntry(i + 1, *object.people[static_cast<std::size_t>(i)]);
    }
    return text;
}

std::string goodsText(const placeableObject& object) {
    std::string text = intToString(object.food) + " food, " + intToString(object.gold) + " gold, " +
                       intToString(object.wood) + " wood, " + intToString(object.iron) + " iron";
    struct gearName {
        travelEquipment kind;
        const char* one;
        const char* more;
    };
    for (const gearName& gear :
         {gearName{horse, " horse", " horses"}, gearName{mountainGear, " mountain gear", " mountain gear"},
          gearName{raft, " raft", " rafts"}}) {
        if (const int count = countOf(object.equipment, gear.kind); count > 0) {
            text += ", " + intToString(count) + (count == 1 ? gear.one : gear.more);
        }
    }
    return text;
}

std::string tooltipText(const placeableObject* object) {
    if (object == nullptr) {
        return "NULL OBJECT!\n";
    }
    return object->name + " (" + position(*object) + ") " + "\nOwner: " + ownerName(*object) +
           ", Faction: " + factionName(*object) + "\nPopulation: " + intToString(object->numPeople()) +
           ", Atk: " + intToString(object->getAttackStrength()) +
           ", Def: " + intToString(object->getDefenceStrength()) + "\nGold: " + intToString(object->gold) +
           ", Food: " + intToString(object->food) + ", Wood: " + intToString(object->wood) +
           ", Iron: " + intToString(object->iron);
}
