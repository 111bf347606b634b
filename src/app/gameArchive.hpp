#pragma once

#include "sim/pathSearches.hpp"
#include "sim/factionStatistics.hpp"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class Faction;
class person;
class placeableObject;
class player;

/// The parts of a game that game.dat keeps, by reference: the running game's when saving, those of a game
/// being read when loading.
struct gameParts {
    std::vector<std::unique_ptr<Faction>>& factions;
    /// May be null, as for a game without a human.
    std::unique_ptr<player>& human;
    /// The factions the computer opponent drives, in its order.
    std::vector<Faction*>& computerFactions;
    int& tick;
    std::int64_t& time;
    /// The game clock's reading [Units: microseconds].
    std::int64_t& clockMicroseconds;
    bool& clockPaused;
    /// The game clock's milliseconds at the last tick.
    std::int64_t& lastTickTime;
    unsigned int& randomState;
    /// Paths asked for and not yet found, asked again when the game goes on, oldest first.
    std::vector<std::pair<placeableObject*, pathQuery>>& pendingPaths;
    /// Every faction's totals at the end of the days recorded, oldest first.
    std::vector<factionStatistics::day>& statistics;
};

/// The game as the payload of game.dat: a Boost.Serialization binary archive of numbers, truth values and
/// texts. Every faction, leader, object and person comes first, in the order of ownership (a faction, its
/// leader, its objects, each with the people it made), with its fixed-size fields; then the names, lists and
/// links. A link is the number of what it points at in that order, so that it can only point at something
/// made and owned (the archive's own pointer tracking believes the class and object numbers it reads, which a
/// file with altered bytes and a matching checksum turns into a crash). Main thread only.
///
/// Also the one way into what the archive needs of the game's classes beyond their public fields (their
/// constructors for loading and the lists of what they made), which is why those classes befriend it.
class gameArchive {
  public:
    /// The payload in the newest format, SAVED_GAME_VERSION.
    [[nodiscard]] static std::string write(const gameParts& game);
    /// Fills `game`, whose lists start empty, from a payload of format `version` (1 up to
    /// SAVED_GAME_VERSION); fields a version lacks keep the values `game` holds. Every count is checked
    /// against the bytes left before anything is made from it, and every link against what was made. Throws
    /// std::exception saying what is wrong; whatever was made then belongs to `game`.
    static void read(std::string_view payload, const gameParts& game, std::uint32_t version);

    /// An empty T to be filled from a payload; the public constructors draw from the random source.
    template <class T> static std::unique_ptr<T> make() { return std::unique_ptr<T>(new T()); }
    static std::vector<std::unique_ptr<placeableObject>>& objectsMade(Faction& faction);
    static std::vector<std::unique_ptr<person>>& peopleMade(placeableObject& object);
};
