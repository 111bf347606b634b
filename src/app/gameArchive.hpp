#pragma once

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
    int& lastTickTime;
    unsigned int& randomState;
};

/// The game as the payload of game.dat: a Boost.Serialization binary archive, whose pointers keep the links
/// between factions, leaders, objects and people. Every faction, object and person comes first through the
/// pointer that owns it, holding only its fixed-size fields; then the names, lists and links, so that a link
/// always finds what it points at made and owned. Main thread only.
///
/// Also the one way into what the archive needs of the game's classes beyond their public fields (their
/// constructors for loading and the lists of what they made), which is why those classes befriend it.
class gameArchive {
  public:
    [[nodiscard]] static std::string write(const gameParts& game);
    /// Fills `game`, whose lists start empty, from a payload. Every count is checked against the bytes left
    /// before anything is made from it, and every link against the objects made. Throws std::exception saying
    /// what is wrong; whatever was made then belongs to `game`.
    static void read(std::string_view payload, const gameParts& game);

    template <class T> static void construct(T* where) { ::new (static_cast<void*>(where)) T(); }
    static std::vector<std::unique_ptr<placeableObject>>& objectsMade(Faction& faction);
    static std::vector<std::unique_ptr<person>>& peopleMade(placeableObject& object);
};
