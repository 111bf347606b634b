#pragma once

#include <array>
#include <cstdint>

/// A person's job; stored as a 32-bit integer.
enum occupation : std::int32_t {
    Farmer = 0,
    Soldier = 1,
    Miner = 2,
    Woodcutter = 3,
    Craftsman = 4,
    Merchant = 5,
    Unemployed = 6
};

constexpr int NUM_OCCUPATIONS = 7;

/// Passed to the person constructor to have one of the seven jobs drawn at random.
constexpr occupation RANDOM_OCCUPATION = static_cast<occupation>(NUM_OCCUPATIONS);

/// Display names, indexed by occupation.
inline constexpr std::array<const char*, NUM_OCCUPATIONS> occupationStrings{
    "Farmer", "Soldier", "Miner", "Woodcutter", "Craftsman", "Merchant", "Unemployed"};
