#include "view/factionColours.hpp"

#include "path/pathGeometry.hpp"
#include "sim/Faction.hpp"
#include "sim/placeableObject.hpp"
#include "world/terrainImage.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>

namespace {
/// Each faction's neighbours are at least its nearest this many, by where their first cities stand.
constexpr std::size_t NEAREST = 6;

std::optional<sf::Vector2f> startOf(const Faction& faction) {
    if (faction.objectsMade().empty()) {
        return std::nullopt;
    }
    const placeableObject& first = *faction.objectsMade().front();
    return sf::Vector2f(first.x, first.y);
}
} // namespace

const sf::Color factionColours::HUMAN_COLOUR = sf::Color(144, 238, 144);
const sf::Color factionColours::UNKNOWN_COLOUR = sf::Color(128, 128, 128);

const std::vector<sf::Color>& factionColours::palette() {
    // Bright or dark enough to stand out on sea, land, mountains and ice, and apart from each other.
    static const std::vector<sf::Color> colours = {
        {230, 25, 75}, {255, 225, 25}, {145, 30, 180}, {245, 130, 48},  {240, 50, 230},
        {128, 0, 0},   {170, 110, 40}, {0, 128, 128},  {255, 255, 150}, {255, 100, 100},
        {128, 128, 0}, {0, 0, 128},    {255, 160, 200}};
    return colours;
}

factionColours::factionColours(const std::vector<std::unique_ptr<Faction>>& factions, const Faction* human,
                               int columns) {
    const std::size_t count = factions.size();
    std::vector<std::optional<sf::Vector2f>> starts(count);
    for (std::size_t i = 0; i < count; ++i) {
        starts[i] = startOf(*factions[i]);
    }
    const auto distance = [&](std::size_t i, std::size_t j) {
        const float across = wrappedDifference(starts[i]->x, starts[j]->x, columns);
        return std::hypot(across, starts[i]->y - starts[j]->y);
    };
    // Neighbours both ways: j is among i's nearest, or i among j's.
    std::vector<std::set<std::size_t>> neighbours(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (!starts[i]) {
            continue;
        }
        std::vector<std::size_t> others;
        for (std::size_t j = 0; j < count; ++j) {
            if (j != i && starts[j]) {
                others.push_back(j);
            }
        }
        const std::size_t nearest = std::min(NEAREST, others.size());
        std::partial_sort(others.begin(), others.begin() + static_cast<std::ptrdiff_t>(nearest), others.end(),
                          [&](std::size_t a, std::size_t b) { return distance(i, a) < distance(i, b); });
        for (std::size_t k = 0; k < nearest; ++k) {
            neighbours[i].insert(others[k]);
            neighbours[others[k]].insert(i);
        }
    }
    const std::vector<sf::Color>& choices = palette();
    std::vector<std::size_t> chosen(count, choices.size());
    for (std::size_t i = 0; i < count; ++i) {
        if (factions[i].get() == human) {
            colours[human] = HUMAN_COLOUR;
            continue;
        }
        // The first colour no neighbour has yet; with every one taken, the one fewest neighbours have.
        std::vector<int> taken(choices.size(), 0);
        for (const std::size_t j : neighbours[i]) {
            if (chosen[j] < choices.size()) {
                ++taken[chosen[j]];
            }
        }
        chosen[i] = static_cast<std::size_t>(std::min_element(taken.begin(), taken.end()) - taken.begin());
        colours[factions[i].get()] = choices[chosen[i]];
    }
}

sf::Color factionColours::colourOf(const Faction& faction) const {
    const auto found = colours.find(&faction);
    return found == colours.end() ? UNKNOWN_COLOUR : found->second;
}
