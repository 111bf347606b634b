#include "sim/nameSource.hpp"

#include <stdexcept>
#include <utility>

namespace {
/// SplitMix64: a 64-bit state stepped by a constant and mixed; sequential states give unrelated draws, which
/// the faction states (the seed, then the index) are.
std::uint64_t splitMix(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}
} // namespace

nameSource::nameSource(std::shared_ptr<const std::vector<std::string>> names, std::uint64_t state)
    : names(std::move(names)), position(state) {}

std::uint64_t nameSource::startState(int worldSeed, std::size_t factionIndex) {
    return static_cast<std::uint64_t>(static_cast<std::uint32_t>(worldSeed)) << 32 |
           static_cast<std::uint32_t>(factionIndex);
}

std::string nameSource::next() {
    if (!names || names->empty()) {
        throw std::logic_error("nameSource::next: the source was given no names");
    }
    return (*names)[static_cast<std::size_t>(splitMix(position) % names->size())];
}
