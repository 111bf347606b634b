#pragma once

#include "sim/person.hpp"

#include <string>
#include <vector>

class city;
class militaryUnit;

/// The person who leads a faction.
class commander : public person {
  public:
    commander(std::string name, Faction* faction, occupation job);

    /// Cities given to this commander, in the order they were given.
    std::vector<city*> cities;
    int numCities() const { return static_cast<int>(cities.size()); }

    /// Adds the city to this commander's faction and to `cities`.
    void addCity(city* c);
    /// Adds the unit to this commander's faction.
    void assignArmy(militaryUnit* u);

  private:
    friend class gameArchive;
    commander() = default;
};
