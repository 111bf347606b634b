#include "view/mapMarks.hpp"

#include "path/pathGeometry.hpp"
#include "sim/Faction.hpp"
#include "sim/placeableObject.hpp"
#include "view/factionColours.hpp"
#include "view/mapLayout.hpp"
#include "world/terrainImage.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <array>

namespace {
constexpr float OUTLINE = 1.5f;
constexpr float SELECTED_OUTLINE = 3.0f;

/// A square of half-side `half` about `centre`, or a diamond (the square turned by 45°) of the same area.
void addShape(sf::VertexArray& triangles, sf::Vector2f centre, float half, bool diamond, sf::Color colour) {
    const float reach = half * 1.41421356f;
    const std::array<sf::Vector2f, 4> corners =
        diamond ? std::array<sf::Vector2f, 4>{{{0, -reach}, {reach, 0}, {0, reach}, {-reach, 0}}}
                : std::array<sf::Vector2f, 4>{{{-half, -half}, {half, -half}, {half, half}, {-half, half}}};
    for (const std::size_t corner : {0, 1, 2, 0, 2, 3}) {
        triangles.append(sf::Vertex(centre + corners[corner], colour));
    }
}
} // namespace

std::vector<mapMark> mapMarks(const std::vector<std::unique_ptr<Faction>>& factions,
                              const factionColours& colours, const placeableObject* selected,
                              const sf::View& camera, const sf::FloatRect& area, int columns) {
    const float gridPixels = static_cast<float>(mapLayout::GRID_PIXELS);
    const sf::Vector2f size = camera.getSize();
    const sf::Vector2f corner = camera.getCenter() - size / 2.0f;
    std::vector<mapMark> marks;
    std::vector<mapMark> chosen;
    for (const std::unique_ptr<Faction>& faction : factions) {
        const sf::Color colour = colours.colourOf(*faction);
        for (const placeableObject* object : faction->objects) {
            const sf::Vector2f mapPixel(wrapAcross(object->x, columns) * gridPixels, object->y * gridPixels);
            // The camera shows parts of two copies of the map, side by side.
            for (const float copy : {0.0f, static_cast<float>(columns) * gridPixels}) {
                const sf::Vector2f at(area.left + (mapPixel.x + copy - corner.x) / size.x * area.width,
                                      area.top + (mapPixel.y - corner.y) / size.y * area.height);
                if (area.contains(at)) {
                    (object == selected ? chosen : marks)
                        .push_back({at, colour, !object->isMilitary, object == selected});
                }
            }
        }
    }
    marks.insert(marks.end(), chosen.begin(), chosen.end());
    return marks;
}

void drawMapMarks(sf::RenderTarget& target, const std::vector<mapMark>& marks, float side) {
    sf::VertexArray triangles(sf::Triangles);
    for (const mapMark& mark : marks) {
        const bool diamond = !mark.city;
        addShape(triangles, mark.centre, side / 2 + (mark.selected ? SELECTED_OUTLINE : OUTLINE), diamond,
                 mark.selected ? SELECTION_COLOUR : sf::Color::Black);
        addShape(triangles, mark.centre, side / 2, diamond, mark.colour);
    }
    target.draw(triangles);
}
