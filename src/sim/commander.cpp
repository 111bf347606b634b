#include "sim/commander.hpp"

#include "sim/Faction.hpp"
#include "sim/city.hpp"
#include "sim/militaryUnit.hpp"

#include <utility>

commander::commander(std::string name, Faction* faction, occupation job)
    : person(std::move(name), faction, job) {}

void commander::addCity(city* c) {
    Faction::addObjectTo(faction, c);
    cities.push_back(c);
}

void commander::assignArmy(militaryUnit* u) {
    Faction::addObjectTo(faction, u);
}
