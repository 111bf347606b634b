#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

/// Draws people's given names from a list with a random source of its own, so that naming someone takes
/// nothing from the game's random source: a seed's worlds, births and battles are the same with names as
/// without. Each faction draws from its own; main thread only.
class nameSource {
  public:
    /// A source with no names, to be given some (see attach) before it is drawn from.
    nameSource() = default;
    nameSource(std::shared_ptr<const std::vector<std::string>> names, std::uint64_t state);

    /// The state a faction's source starts from: the world's seed and the faction's place in the list.
    [[nodiscard]] static std::uint64_t startState(int worldSeed, std::size_t factionIndex);

    /// The next name. Throws std::logic_error when the source has no names.
    std::string next();
    /// Gives the source its names, keeping its state (as a saved game's source is given the list again).
    void attach(std::shared_ptr<const std::vector<std::string>> list) { names = std::move(list); }
    /// Where the draws go on from; a source made with it draws the same names.
    std::uint64_t state() const { return position; }

  private:
    std::shared_ptr<const std::vector<std::string>> names;
    std::uint64_t position = 0;
};
