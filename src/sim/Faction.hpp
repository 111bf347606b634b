#pragma once

#include "sim/commander.hpp"
#include "sim/nameSource.hpp"

#include <array>
#include <memory>
#include <string>
#include <vector>

class gameArchive;
class placeableObject;

/// What a faction's economy brought into play and what left play with it since the game began. Goods come
/// into play only by work and leave it only by eating, births and with units that lose a battle; everything
/// else moves them between objects.
struct economyLedger {
    /// Goods are counted in this order: food, gold, wood, iron.
    static constexpr std::size_t FOOD = 0;
    static constexpr std::size_t GOLD = 1;
    static constexpr std::size_t WOOD = 2;
    static constexpr std::size_t IRON = 3;
    static constexpr std::size_t GOODS = 4;
    /// Kinds of gear, as travelEquipment numbers them.
    static constexpr std::size_t GEAR_KINDS = 3;
    /// By the work of the faction's cities.
    std::array<long long, GOODS> produced{};
    long long foodEaten = 0;
    long long foodForChildren = 0;
    /// What the faction's units held when they lost a battle: the four goods, then each kind of gear in the
    /// order of travelEquipment.
    std::array<long long, GOODS + GEAR_KINDS> lostInBattle{};
};

/// A group of objects under one leader. Owns its leader and every object made for it during the run;
/// `objects` lists those in play for it, in the order they joined.
class Faction {
  public:
    /// Creates the leader, a soldier named `leaderName` (one draw from the random source).
    Faction(std::string name, std::string leaderName);
    ~Faction();
    Faction(const Faction&) = delete;
    Faction& operator=(const Faction&) = delete;

    std::string name;
    std::unique_ptr<commander> leader;
    economyLedger ledger;
    /// The faction's objects in play, oldest first; they are owned elsewhere (see keep).
    std::vector<placeableObject*> objects;
    int numObjects() const { return static_cast<int>(objects.size()); }
    /// The given names of the people made for this faction: citizens, soldiers and children.
    nameSource personNames;

    /// Appends `o` and makes this faction and its leader the object's faction and owner. A null object
    /// stops the program with exit code 1.
    void addObject(placeableObject* o);
    /// Adds `o` to `faction`, stopping the program with exit code 1 when either is null.
    static void addObjectTo(Faction* faction, placeableObject* o);
    /// Takes `o` out of the list, keeping the order of the others; nothing happens when it is not there.
    void removeObject(placeableObject* o);
    bool contains(const placeableObject* o) const;

    /// Keeps `o` alive until the run ends, whichever faction it later serves. Does not add it to `objects`.
    template <class T> T* keep(std::unique_ptr<T> o) {
        T* kept = o.get();
        made.push_back(std::move(o));
        return kept;
    }
    /// Every object made for this faction during the run, in play or not.
    const std::vector<std::unique_ptr<placeableObject>>& objectsMade() const { return made; }

  private:
    friend class gameArchive;
    /// For a saved game, which fills every field.
    Faction();

    std::vector<std::unique_ptr<placeableObject>> made;
};
