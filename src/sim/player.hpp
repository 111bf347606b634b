#pragma once

#include <string>
#include <utility>

class Faction;
class person;

/// The human's record: the name, the commander and the faction the user plays.
class player {
  public:
    player(std::string name, Faction* faction, ::person* leader)
        : name(std::move(name)), person(leader), faction(faction) {}

    std::string name;
    ::person* person;
    Faction* faction;
};
