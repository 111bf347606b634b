#pragma once

#include <cstdint>
#include <map>

/// Travel gear a unit can carry; stored as 32-bit integers.
enum travelEquipment : std::int32_t { horse = 0, mountainGear = 1, raft = 2 };

/// What a path query may cross: each entry true when every member of the unit carries that gear.
using travelAttributes = std::map<travelEquipment, bool>;

/// Why the last path search found no way, if it did not: no way at all for anyone, or the gear the unit lacks
/// for one.
enum class unreachableReason : std::uint8_t {
    none,
    unreachable,
    needsRaft,
    needsMountainGear,
    needsRaftAndMountainGear
};
