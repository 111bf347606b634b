#include "app/gameArchive.hpp"

#include "app/savedGame.hpp"
#include "sim/Faction.hpp"
#include "sim/city.hpp"
#include "sim/commander.hpp"
#include "sim/militaryUnit.hpp"
#include "sim/player.hpp"

#include <boost/archive/binary_iarchive.hpp>
#include <boost/archive/binary_oarchive.hpp>
#include <cmath>
#include <set>
#include <sstream>
#include <stdexcept>
#include <streambuf>
#include <type_traits>
#include <unordered_map>

std::vector<std::unique_ptr<placeableObject>>& gameArchive::objectsMade(Faction& faction) {
    return faction.made;
}

std::vector<std::unique_ptr<person>>& gameArchive::peopleMade(placeableObject& object) {
    return object.made;
}

namespace {

std::runtime_error damage(const std::string& what) {
    return std::runtime_error(what);
}

/// The three registers a link can point into: every faction, every person (leaders too) and every object,
/// each in the order the payload makes them.
template <class T> constexpr int registerOf() {
    if constexpr (std::is_base_of_v<person, T>) {
        return 1;
    } else if constexpr (std::is_base_of_v<placeableObject, T>) {
        return 2;
    } else {
        return 0;
    }
}

/// `p` as the register's own class: the address under which the registers know it.
template <class T> auto* inRegister(T* p) {
    if constexpr (registerOf<T>() == 1) {
        return static_cast<std::conditional_t<std::is_const_v<T>, const person, person>*>(p);
    } else if constexpr (registerOf<T>() == 2) {
        return static_cast<std::conditional_t<std::is_const_v<T>, const placeableObject, placeableObject>*>(
            p);
    } else {
        return p;
    }
}

/// A link's number for nothing.
constexpr std::uint32_t NO_LINK = 0xffffffff;
/// What an object is made as.
enum class objectKind : std::uint8_t { city = 0, unit = 1 };

class payloadWriter {
  public:
    static constexpr bool loading = false;

    explicit payloadWriter(std::ostream& out) : archive(out) {}

    /// The format being written: always the newest.
    std::uint32_t version() const { return SAVED_GAME_VERSION; }

    template <class T> void value(T& v) { archive << v; }
    void flag(bool& v) {
        const std::uint8_t byte = v ? 1 : 0;
        archive << byte;
    }
    template <class Enum> void enumeration(Enum& value, int /*count*/) {
        const auto raw = static_cast<std::int32_t>(value);
        archive << raw;
    }
    void text(std::string& s) {
        const std::uint64_t size = s.size();
        archive << size;
        archive.save_binary(s.data(), s.size());
    }
    void count(std::size_t& n, std::size_t /*bytesEach*/) {
        const std::uint64_t size = n;
        archive << size;
    }
    /// Numbers the object in its register; an object is saved as a city or a unit.
    template <class T> void owned(std::unique_ptr<T>& p) {
        auto& numbers = places[registerOf<T>()];
        numbers.emplace(inRegister(p.get()), static_cast<std::uint32_t>(numbers.size()));
        if constexpr (registerOf<T>() == 2) {
            const auto kind = static_cast<std::uint8_t>(
                dynamic_cast<const city*>(p.get()) != nullptr ? objectKind::city : objectKind::unit);
            archive << kind;
        }
    }
    template <class T> void link(T*& p) {
        std::uint32_t number = NO_LINK;
        if (p != nullptr) {
            const auto& numbers = places[registerOf<T>()];
            const auto found = numbers.find(inRegister(p));
            if (found == numbers.end()) {
                throw std::runtime_error("a link to something that is not part of the game");
            }
            number = found->second;
        }
        archive << number;
    }

  private:
    boost::archive::binary_oarchive archive;
    std::unordered_map<const void*, std::uint32_t> places[3];
};

/// Reads straight from the payload's bytes and says how many are left.
class memoryBuffer : public std::streambuf {
  public:
    explicit memoryBuffer(std::string_view bytes) {
        // The get area is only read, never written.
        char* begin = const_cast<char*>(bytes.data());
        setg(begin, begin, begin + bytes.size());
    }
    std::size_t remaining() const { return static_cast<std::size_t>(egptr() - gptr()); }
};

class payloadReader {
  public:
    static constexpr bool loading = true;

    payloadReader(std::string_view payload, std::uint32_t version)
        : buffer(payload), archive(buffer), format(version) {}

    /// The format being read.
    std::uint32_t version() const { return format; }

    template <class T> void value(T& v) { archive >> v; }
    /// A truth value as one byte; anything but 0 or 1 is damage.
    void flag(bool& v) {
        std::uint8_t byte = 0;
        archive >> byte;
        if (byte > 1) {
            throw damage("a truth value of " + std::to_string(byte));
        }
        v = byte == 1;
    }
    /// An enumeration as a 32-bit integer; a value outside 0 … count − 1 is damage.
    template <class Enum> void enumeration(Enum& value, int count) {
        std::int32_t raw = 0;
        archive >> raw;
        if (raw < 0 || raw >= count) {
            throw damage("a job or gear kind " + std::to_string(raw) + " that does not exist");
        }
        value = static_cast<Enum>(raw);
    }
    void text(std::string& s) {
        std::uint64_t size = 0;
        archive >> size;
        requireRoom(size, 1);
        s.resize(static_cast<std::size_t>(size));
        archive.load_binary(s.data(), s.size());
    }
    /// A count of items of at least `bytesEach` bytes each.
    void count(std::size_t& n, std::size_t bytesEach) {
        std::uint64_t size = 0;
        archive >> size;
        requireRoom(size, bytesEach);
        n = static_cast<std::size_t>(size);
    }
    /// Makes the object, empty, and numbers it in its register.
    template <class T> void owned(std::unique_ptr<T>& p) {
        if constexpr (registerOf<T>() == 2) {
            std::uint8_t kind = 0;
            archive >> kind;
            if (kind == static_cast<std::uint8_t>(objectKind::city)) {
                p = gameArchive::make<city>();
            } else if (kind == static_cast<std::uint8_t>(objectKind::unit)) {
                p = gameArchive::make<militaryUnit>();
            } else {
                throw damage("an object of kind " + std::to_string(kind));
            }
        } else {
            p = gameArchive::make<T>();
        }
        places[registerOf<T>()].push_back(inRegister(p.get()));
    }
    template <class T> void link(T*& p) {
        std::uint32_t number = NO_LINK;
        archive >> number;
        if (number == NO_LINK) {
            p = nullptr;
            return;
        }
        const std::vector<void*>& made = places[registerOf<T>()];
        if (number >= made.size()) {
            throw damage("a link to number " + std::to_string(number) + " of " + std::to_string(made.size()));
        }
        p = asA<T>(made[number]);
        if (p == nullptr) {
            throw damage("a link to something of another kind");
        }
    }
    std::size_t remaining() const { return buffer.remaining(); }

  private:
    void requireRoom(std::uint64_t count, std::size_t bytesEach) const {
        if (count > remaining() / bytesEach) {
            throw damage("a count of " + std::to_string(count) + " where " + std::to_string(remaining()) +
                         " bytes are left");
        }
    }
    /// The object of T's register at `address` as a T; null when it is not one.
    template <class T> static T* asA(void* address) {
        if constexpr (registerOf<T>() == 1) {
            return dynamic_cast<T*>(static_cast<person*>(address));
        } else if constexpr (registerOf<T>() == 2) {
            return dynamic_cast<T*>(static_cast<placeableObject*>(address));
        } else {
            return static_cast<T*>(address);
        }
    }

    memoryBuffer buffer;
    boost::archive::binary_iarchive archive;
    std::uint32_t format;
    /// Each register's objects as made, under their register's class.
    std::vector<void*> places[3];
};

/// Smallest sizes of a list's items: an owned object takes at least its kind, a link its number.
constexpr std::size_t OWNED_BYTES = 1;
constexpr std::size_t LINK_BYTES = 4;
constexpr std::size_t MAP_ENTRY_BYTES = 8;
constexpr std::size_t WAYPOINT_BYTES = 8;
/// horse, mountainGear, raft.
constexpr int EQUIPMENT_KINDS = raft + 1;

template <class Side, class T> void transferOwned(Side& side, std::vector<std::unique_ptr<T>>& list) {
    std::size_t size = list.size();
    side.count(size, OWNED_BYTES);
    if constexpr (Side::loading) {
        list.resize(size);
    }
    for (std::unique_ptr<T>& item : list) {
        side.owned(item);
    }
}

template <class Side, class T> void transferLinks(Side& side, std::vector<T*>& links) {
    std::size_t size = links.size();
    side.count(size, LINK_BYTES);
    if constexpr (Side::loading) {
        links.assign(size, nullptr);
    }
    for (T*& link : links) {
        side.link(link);
    }
}

template <class Side, class Key> void transferCounts(Side& side, std::map<Key, int>& counts, int keys) {
    std::size_t size = counts.size();
    side.count(size, MAP_ENTRY_BYTES);
    if constexpr (Side::loading) {
        counts.clear();
        for (std::size_t i = 0; i < size; ++i) {
            Key key{};
            int value = 0;
            side.enumeration(key, keys);
            side.value(value);
            counts[key] = value;
        }
    } else {
        for (auto& [kindKey, value] : counts) {
            Key key = kindKey;
            side.enumeration(key, keys);
            side.value(value);
        }
    }
}

template <class Side> void transferFlag(Side& side, std::atomic<bool>& value) {
    bool plain = value;
    side.flag(plain);
    if constexpr (Side::loading) {
        value = plain;
    }
}

// The fixed-size fields, each with the object when it is made.
template <class Side> void personFields(Side& side, person& p) {
    side.flag(p.isMale);
    side.enumeration(p.job, NUM_OCCUPATIONS);
    side.value(p.attack);
    side.value(p.defence);
    side.flag(p.alive);
}

template <class Side> void objectFields(Side& side, placeableObject& o) {
    for (float* value :
         {&o.x, &o.y, &o.speed, &o.destX, &o.destY, &o.movementMultiplierX, &o.movementMultiplierY}) {
        side.value(*value);
    }
    for (int* value : {&o.food, &o.gold, &o.wood, &o.iron}) {
        side.value(*value);
    }
    for (bool* value : {&o.purchasingAbility, &o.merging, &o.attacking, &o.isMilitary}) {
        side.flag(*value);
    }
    transferFlag(side, o.moving);
    if (side.version() >= 2) {
        side.value(o.pathAskedX);
        side.value(o.pathAskedY);
    } else if constexpr (Side::loading) {
        // Version 1 followed a target that stood elsewhere than the current waypoint.
        o.pathAskedX = o.destX + 1.0f;
        o.pathAskedY = o.destY;
    }
}

// The names, lists and links, once everything they point at is made.
template <class Side> void personLinks(Side& side, person& p) {
    side.text(p.name);
    side.link(p.faction);
    transferCounts(side, p.skills, NUM_OCCUPATIONS);
}

template <class Side> void transferPath(Side& side, std::unique_ptr<std::vector<waypoint>>& path) {
    bool present = path != nullptr;
    side.flag(present);
    if (!present) {
        return;
    }
    std::size_t size = path ? path->size() : 0;
    side.count(size, WAYPOINT_BYTES);
    if constexpr (Side::loading) {
        path = std::make_unique<std::vector<waypoint>>(size);
    }
    for (waypoint& point : *path) {
        side.value(point.first);
        side.value(point.second);
    }
}

template <class Side> void objectLinks(Side& side, placeableObject& o) {
    side.text(o.name);
    side.link(o.faction);
    side.link(o.owner);
    side.link(o.target);
    transferLinks(side, o.people);
    transferCounts(side, o.equipment, EQUIPMENT_KINDS);
    transferPath(side, o.travelPath);
}

/// The game clock's milliseconds at the last tick: 64 bits from version 2 on, 32 before.
template <class Side> void transferLastTick(Side& side, std::int64_t& milliseconds) {
    if (side.version() >= 2) {
        side.value(milliseconds);
        return;
    }
    std::int32_t narrow = 0;
    side.value(narrow);
    milliseconds = narrow;
}

/// A pending path's object and query: the start and goal nodes, the destination, the travel attributes
/// and whether a failure is to be explained.
template <class Side>
void transferPendingPaths(Side& side, std::vector<std::pair<placeableObject*, pathQuery>>& pending) {
    constexpr std::size_t PENDING_BYTES = 4 + 4 + 4 + 4 + 4 + 4;
    std::size_t size = pending.size();
    side.count(size, PENDING_BYTES);
    if constexpr (Side::loading) {
        pending.assign(size, {nullptr, pathQuery{}});
    }
    for (auto& [object, query] : pending) {
        side.link(object);
        side.value(query.startNode);
        side.value(query.goalNode);
        side.value(query.destinationX);
        side.value(query.destinationY);
        for (const travelEquipment kind : {raft, mountainGear, horse}) {
            side.flag(query.attributes[kind]);
        }
        side.flag(query.explain);
    }
}

/// The factions' totals at the end of the days recorded.
template <class Side> void transferStatistics(Side& side, std::vector<factionStatistics::day>& days) {
    constexpr std::size_t TOTALS_BYTES = STATISTIC_COUNT * sizeof(std::int32_t);
    std::size_t size = days.size();
    side.count(size, sizeof(std::int32_t) + sizeof(std::uint64_t));
    if constexpr (Side::loading) {
        days.resize(size);
    }
    for (factionStatistics::day& day : days) {
        side.value(day.number);
        std::size_t factionCount = day.factions.size();
        side.count(factionCount, TOTALS_BYTES);
        if constexpr (Side::loading) {
            day.factions.resize(factionCount);
        }
        for (factionTotals& totals : day.factions) {
            for (std::int32_t& value : totals.values) {
                side.value(value);
            }
        }
    }
}

template <class Side> void transferGame(Side& side, const gameParts& game) {
    side.value(game.tick);
    side.value(game.time);
    side.value(game.clockMicroseconds);
    side.flag(game.clockPaused);
    transferLastTick(side, game.lastTickTime);
    side.value(game.randomState);

    transferOwned(side, game.factions);
    for (const std::unique_ptr<Faction>& faction : game.factions) {
        side.owned(faction->leader);
        personFields(side, *faction->leader);
        if (side.version() >= 2) {
            economyLedger& ledger = faction->ledger;
            for (long long& total : ledger.produced) {
                side.value(total);
            }
            side.value(ledger.foodEaten);
            side.value(ledger.foodForChildren);
            for (long long& total : ledger.lostInBattle) {
                side.value(total);
            }
        }
        transferOwned(side, gameArchive::objectsMade(*faction));
        for (const auto& object : gameArchive::objectsMade(*faction)) {
            objectFields(side, *object);
            transferOwned(side, gameArchive::peopleMade(*object));
            for (const auto& p : gameArchive::peopleMade(*object)) {
                personFields(side, *p);
            }
        }
    }

    for (const std::unique_ptr<Faction>& faction : game.factions) {
        side.text(faction->name);
        personLinks(side, *faction->leader);
        transferLinks(side, faction->leader->cities);
        transferLinks(side, faction->objects);
        for (const auto& object : gameArchive::objectsMade(*faction)) {
            objectLinks(side, *object);
            for (const auto& p : gameArchive::peopleMade(*object)) {
                personLinks(side, *p);
            }
        }
    }
    bool hasHuman = game.human != nullptr;
    side.flag(hasHuman);
    if (hasHuman) {
        if constexpr (Side::loading) {
            game.human = std::make_unique<player>("", nullptr, nullptr);
        }
        side.text(game.human->name);
        side.link(game.human->person);
        side.link(game.human->faction);
    }
    transferLinks(side, game.computerFactions);
    if (side.version() >= 2) {
        transferPendingPaths(side, game.pendingPaths);
        transferStatistics(side, game.statistics);
    }
}

/// Positions beyond this are damage: far round the world, yet still whole node numbers in an int.
constexpr float FARTHEST = 1.0e6f;

bool sensible(float value) {
    return std::isfinite(value) && std::fabs(value) <= FARTHEST;
}

/// What the game takes for granted and a damaged file could break.
void checkGame(const gameParts& game) {
    int lastDay = 0;
    for (const factionStatistics::day& day : game.statistics) {
        if (day.number <= lastDay || day.factions.size() != game.factions.size()) {
            throw damage("statistics of day " + std::to_string(day.number) + " out of order or for " +
                         std::to_string(day.factions.size()) + " factions");
        }
        lastDay = day.number;
    }
    std::set<const placeableObject*> inPlay;
    for (const std::unique_ptr<Faction>& faction : game.factions) {
        if (faction->leader->faction != faction.get()) {
            throw damage("a leader of another faction");
        }
        for (const placeableObject* object : faction->objects) {
            if (object == nullptr || object->faction != faction.get() || !inPlay.insert(object).second) {
                throw damage("an object in play for a faction it does not belong to");
            }
        }
        for (const auto& object : gameArchive::objectsMade(*faction)) {
            const placeableObject& o = *object;
            // The direction towards the waypoint is worked out afresh before every use, and is NaN where
            // an object stands on its waypoint.
            for (const float value : {o.x, o.y, o.speed, o.destX, o.destY, o.pathAskedX, o.pathAskedY}) {
                if (!sensible(value)) {
                    throw damage("a position or speed of " + std::to_string(value));
                }
            }
            if (o.travelPath) {
                for (const waypoint& point : *o.travelPath) {
                    if (!sensible(point.first) || !sensible(point.second)) {
                        throw damage("a waypoint outside the world");
                    }
                }
            }
            for (const person* p : o.people) {
                if (p == nullptr) {
                    throw damage("a missing person in " + o.name);
                }
            }
        }
    }
    for (const auto& [object, query] : game.pendingPaths) {
        if (object == nullptr || !sensible(query.destinationX) || !sensible(query.destinationY)) {
            throw damage("a path asked for by nothing, or to nowhere");
        }
    }
}

/// The header an archive of this library writes before anything: its signature. A length read from a
/// damaged one would be believed, so it is compared before the archive sees it.
std::string archiveSignature() {
    std::ostringstream empty;
    { boost::archive::binary_oarchive archive(empty); }
    // The signature's length (8 bytes) and text; the library version after it may be any it can read.
    return empty.str().substr(0,
                              8 + std::char_traits<char>::length(boost::archive::BOOST_ARCHIVE_SIGNATURE()));
}

} // namespace

std::string gameArchive::write(const gameParts& game) {
    std::ostringstream bytes;
    {
        payloadWriter writer(bytes);
        transferGame(writer, game);
    }
    return bytes.str();
}

void gameArchive::read(std::string_view payload, const gameParts& game, std::uint32_t version) {
    static const std::string signature = archiveSignature();
    if (payload.substr(0, signature.size()) != signature) {
        throw damage("it does not begin as an archive does");
    }
    payloadReader reader(payload, version);
    transferGame(reader, game);
    if (reader.remaining() != 0) {
        throw damage(std::to_string(reader.remaining()) + " bytes after the game");
    }
    checkGame(game);
}
