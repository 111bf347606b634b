#pragma once

#include <string>
#include <utility>

class Faction;

/// Anything in the game that has a name and may belong to a faction.
class gameObject {
  public:
    gameObject(std::string name, Faction* faction) : faction(faction), name(std::move(name)) {}

    /// The owning faction; null for an object that belongs to none.
    Faction* faction;
    std::string name;
};
