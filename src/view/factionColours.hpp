#pragma once

#include <SFML/Graphics/Color.hpp>
#include <memory>
#include <unordered_map>
#include <vector>

class Faction;

/// A colour for every faction, for its marks on the world map and wherever else factions are told apart.
/// The human's is always HUMAN_COLOUR, as their objects are drawn in the grid views; the others come from a
/// palette that holds no terrain colour, nor the selection's cyan, nor the human's, chosen so that
/// neighbours (factions whose first cities lie among each other's nearest) differ. Fixed for the run: it is
/// worked out from where each faction started, which a saved game keeps too.
class factionColours {
  public:
    static const sf::Color HUMAN_COLOUR;
    /// For a faction these colours were not worked out for.
    static const sf::Color UNKNOWN_COLOUR;
    /// The colours the computer's factions are given, in the order they are tried.
    static const std::vector<sf::Color>& palette();

    factionColours() = default;
    /// Colours for `factions`, the human's `human` (may be null), in a world `columns` grids round.
    factionColours(const std::vector<std::unique_ptr<Faction>>& factions, const Faction* human, int columns);

    sf::Color colourOf(const Faction& faction) const;

  private:
    std::unordered_map<const Faction*, sf::Color> colours;
};
