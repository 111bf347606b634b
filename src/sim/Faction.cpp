#include "sim/Faction.hpp"

#include "app/exitRequest.hpp"
#include "sim/placeableObject.hpp"

#include <algorithm>
#include <utility>

Faction::Faction(std::string name, std::string leaderName)
    : name(std::move(name)), leader(std::make_unique<commander>(std::move(leaderName), this, Soldier)) {}

Faction::Faction() = default;

Faction::~Faction() = default;

void Faction::addObject(placeableObject* o) {
    addObjectTo(this, o);
}

void Faction::addObjectTo(Faction* faction, placeableObject* o) {
    if (o == nullptr) {
        stopWithMessage("Error: attempting to add a NULL object to faction.\n");
    }
    if (faction == nullptr) {
        stopWithMessage("Error: How is this possible?\n");
    }
    o->faction = faction;
    if (!faction->leader) {
        stopWithMessage("Error: attempting to add a NULL object as leader.\n");
    }
    o->owner = faction->leader.get();
    faction->objects.push_back(o);
}

void Faction::removeObject(placeableObject* o) {
    const auto found = std::find(objects.begin(), objects.end(), o);
    if (found != objects.end()) {
        objects.erase(found);
    }
}

bool Faction::contains(const placeableObject* o) const {
    return std::find(objects.begin(), objects.end(), o) != objects.end();
}
