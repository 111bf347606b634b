#include "app/gameArchive.hpp"

#include "sim/Faction.hpp"
#include "sim/city.hpp"
#include "sim/commander.hpp"
#include "sim/militaryUnit.hpp"
#include "sim/player.hpp"

#include <boost/archive/binary_iarchive.hpp>
#include <boost/archive/binary_oarchive.hpp>
#include <boost/serialization/base_object.hpp>
#include <cmath>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <streambuf>
#include <type_traits>

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

/// A truth value as one byte; on reading, anything but 0 or 1 is damage.
template <class Archive> void transferFlag(Archive& archive, bool& value) {
    std::uint8_t byte = value ? 1 : 0;
    archive& byte;
    if constexpr (Archive::is_loading::value) {
        if (byte > 1) {
            throw damage("a truth value of " + std::to_string(byte));
        }
        value = byte == 1;
    }
}

template <class Archive> void transferFlag(Archive& archive, std::atomic<bool>& value) {
    bool plain = value;
    transferFlag(archive, plain);
    if constexpr (Archive::is_loading::value) {
        value = plain;
    }
}

/// An enumeration as a 32-bit integer; on reading, a value outside 0 … count − 1 is damage.
template <class Archive, class Enum> void transferEnum(Archive& archive, Enum& value, int count) {
    auto raw = static_cast<std::int32_t>(value);
    archive& raw;
    if constexpr (Archive::is_loading::value) {
        if (raw < 0 || raw >= count) {
            throw damage("a job or gear kind " + std::to_string(raw) + " that does not exist");
        }
        value = static_cast<Enum>(raw);
    }
}

} // namespace

// The fixed-size fields, written and read where the owning pointer is. Nothing here allocates, so an object
// that fails half-way leaves nothing behind when the archive frees it.
namespace boost::serialization {

template <class Archive> void serialize(Archive&, Faction&, const unsigned int) {}

template <class Archive> void serialize(Archive& archive, person& p, const unsigned int) {
    transferFlag(archive, p.isMale);
    transferEnum(archive, p.job, NUM_OCCUPATIONS);
    archive& p.attack& p.defence;
    transferFlag(archive, p.alive);
}

template <class Archive> void serialize(Archive& archive, commander& c, const unsigned int) {
    archive& base_object<person>(c);
}

template <class Archive> void serialize(Archive& archive, placeableObject& o, const unsigned int) {
    archive& o.x& o.y& o.food& o.gold& o.wood& o.iron;
    transferFlag(archive, o.purchasingAbility);
    archive& o.speed& o.destX& o.destY;
    transferFlag(archive, o.moving);
    transferFlag(archive, o.merging);
    archive& o.movementMultiplierX& o.movementMultiplierY;
    transferFlag(archive, o.attacking);
    transferFlag(archive, o.isMilitary);
}

template <class Archive> void serialize(Archive& archive, city& c, const unsigned int) {
    archive& base_object<placeableObject>(c);
}

template <class Archive> void serialize(Archive& archive, militaryUnit& u, const unsigned int) {
    archive& base_object<placeableObject>(u);
}

// Objects are made empty for loading: their public constructors draw from the random source.
template <class Archive> void load_construct_data(Archive&, Faction* where, const unsigned int) {
    gameArchive::construct(where);
}
template <class Archive> void load_construct_data(Archive&, person* where, const unsigned int) {
    gameArchive::construct(where);
}
template <class Archive> void load_construct_data(Archive&, commander* where, const unsigned int) {
    gameArchive::construct(where);
}
template <class Archive> void load_construct_data(Archive&, placeableObject* where, const unsigned int) {
    gameArchive::construct(where);
}
template <class Archive> void load_construct_data(Archive&, city* where, const unsigned int) {
    gameArchive::construct(where);
}
template <class Archive> void load_construct_data(Archive&, militaryUnit* where, const unsigned int) {
    gameArchive::construct(where);
}

} // namespace boost::serialization

namespace {

/// The kinds of object a link may point at; a link is only taken to an object made as its own kind.
enum class kind { faction, person, object };

template <class T> constexpr kind kindOf() {
    if constexpr (std::is_base_of_v<person, T>) {
        return kind::person;
    } else if constexpr (std::is_base_of_v<placeableObject, T>) {
        return kind::object;
    } else {
        return kind::faction;
    }
}

/// The classes met through a base pointer, in the same order on both sides.
template <class Archive> void registerClasses(Archive& archive) {
    archive.template register_type<commander>();
    archive.template register_type<city>();
    archive.template register_type<militaryUnit>();
}

class payloadWriter {
  public:
    static constexpr bool loading = false;

    explicit payloadWriter(std::ostream& out) : archive(out) { registerClasses(archive); }

    template <class T> void value(T& v) { archive << v; }
    void flag(bool& v) { transferFlag(archive, v); }
    void text(std::string& s) {
        const std::uint64_t size = s.size();
        archive << size;
        archive.save_binary(s.data(), s.size());
    }
    void count(std::size_t& n, std::size_t /*bytesEach*/) {
        const std::uint64_t size = n;
        archive << size;
    }
    template <class T> void owned(std::unique_ptr<T>& p) {
        const T* raw = p.get();
        archive << raw;
    }
    template <class T> void link(T*& p) {
        const T* raw = p;
        archive << raw;
    }

  private:
    boost::archive::binary_oarchive archive;
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

    explicit payloadReader(std::string_view payload) : buffer(payload), archive(buffer) {
        registerClasses(archive);
    }

    template <class T> void value(T& v) { archive >> v; }
    void flag(bool& v) { transferFlag(archive, v); }
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
    template <class T> void owned(std::unique_ptr<T>& p) {
        T* raw = nullptr;
        archive >> raw;
        if (raw == nullptr) {
            throw damage("an object is missing");
        }
        // An object met before belongs to someone already.
        if (!made.emplace(raw, kindOf<T>()).second) {
            throw damage("an object is owned twice");
        }
        p.reset(raw);
    }
    template <class T> void link(T*& p) {
        T* raw = nullptr;
        archive >> raw;
        if (raw != nullptr) {
            const auto found = made.find(raw);
            if (found == made.end()) {
                // The archive has just made it for this link alone: nothing else knows of it.
                delete raw;
                throw damage("a link to an object that nothing owns");
            }
            if (found->second != kindOf<T>() || !isA<T>(raw)) {
                throw damage("a link to an object of another kind");
            }
        }
        p = raw;
    }
    std::size_t remaining() const { return buffer.remaining(); }

  private:
    void requireRoom(std::uint64_t count, std::size_t bytesEach) const {
        if (count > remaining() / bytesEach) {
            throw damage("a count of " + std::to_string(count) + " where " + std::to_string(remaining()) +
                         " bytes are left");
        }
    }
    /// Whether an object known to be of T's kind is a T.
    template <class T> static bool isA(const T* raw) {
        const void* address = raw;
        if constexpr (kindOf<T>() == kind::person) {
            return dynamic_cast<const T*>(static_cast<const person*>(address)) != nullptr;
        } else if constexpr (kindOf<T>() == kind::object) {
            return dynamic_cast<const T*>(static_cast<const placeableObject*>(address)) != nullptr;
        } else {
            return true;
        }
    }

    memoryBuffer buffer;
    boost::archive::binary_iarchive archive;
    /// Every object made from the payload so far, by address, with its kind.
    std::map<const void*, kind> made;
};

/// Smallest sizes of a list's items in the archive: a pointer takes at least its class number.
constexpr std::size_t POINTER_BYTES = 2;
constexpr std::size_t MAP_ENTRY_BYTES = 8;
constexpr std::size_t WAYPOINT_BYTES = 8;

template <class Side, class T> void transferOwned(Side& side, std::vector<std::unique_ptr<T>>& list) {
    std::size_t size = list.size();
    side.count(size, POINTER_BYTES);
    if constexpr (Side::loading) {
        list.resize(size);
    }
    for (std::unique_ptr<T>& item : list) {
        side.owned(item);
    }
}

template <class Side, class T> void transferLinks(Side& side, std::vector<T*>& links) {
    std::size_t size = links.size();
    side.count(size, POINTER_BYTES);
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
            std::int32_t key = 0;
            int value = 0;
            side.value(key);
            side.value(value);
            if (key < 0 || key >= keys) {
                throw damage("a job or gear kind " + std::to_string(key) + " that does not exist");
            }
            counts[static_cast<Key>(key)] = value;
        }
    } else {
        for (auto& [kindKey, value] : counts) {
            auto key = static_cast<std::int32_t>(kindKey);
            side.value(key);
            side.value(value);
        }
    }
}

template <class Side> void transferPerson(Side& side, person& p) {
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

template <class Side> void transferObject(Side& side, placeableObject& o) {
    side.text(o.name);
    side.link(o.faction);
    side.link(o.owner);
    side.link(o.target);
    transferLinks(side, o.people);
    transferCounts(side, o.equipment, 3);
    transferPath(side, o.travelPath);
}

template <class Side> void transferGame(Side& side, const gameParts& game) {
    side.value(game.tick);
    side.value(game.time);
    side.value(game.clockMicroseconds);
    side.flag(game.clockPaused);
    side.value(game.lastTickTime);
    side.value(game.randomState);

    transferOwned(side, game.factions);
    for (const std::unique_ptr<Faction>& faction : game.factions) {
        side.owned(faction->leader);
        transferOwned(side, gameArchive::objectsMade(*faction));
        for (const auto& object : gameArchive::objectsMade(*faction)) {
            transferOwned(side, gameArchive::peopleMade(*object));
        }
    }

    for (const std::unique_ptr<Faction>& faction : game.factions) {
        side.text(faction->name);
        transferPerson(side, *faction->leader);
        transferLinks(side, faction->leader->cities);
        transferLinks(side, faction->objects);
        for (const auto& object : gameArchive::objectsMade(*faction)) {
            transferObject(side, *object);
            for (const auto& p : gameArchive::peopleMade(*object)) {
                transferPerson(side, *p);
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
}

/// Positions beyond this are damage: far round the world, yet still whole node numbers in an int.
constexpr float FARTHEST = 1.0e6f;

bool sensible(float value) {
    return std::isfinite(value) && std::fabs(value) <= FARTHEST;
}

/// What the game takes for granted and a damaged file could break.
void checkGame(const gameParts& game) {
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
            for (const float value : {o.x, o.y, o.speed, o.destX, o.destY}) {
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

void gameArchive::read(std::string_view payload, const gameParts& game) {
    static const std::string signature = archiveSignature();
    if (payload.substr(0, signature.size()) != signature) {
        throw damage("it does not begin as an archive does");
    }
    payloadReader reader(payload);
    transferGame(reader, game);
    if (reader.remaining() != 0) {
        throw damage(std::to_string(reader.remaining()) + " bytes after the game");
    }
    checkGame(game);
}
