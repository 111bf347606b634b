#include "view/mapPicture.hpp"

#include "app/atomicFile.hpp"
#include "sim/Faction.hpp"
#include "sim/city.hpp"
#include "sim/placeableObject.hpp"
#include "view/mapLayout.hpp"
#include "world/iceCap.hpp"
#include "world/pngFile.hpp"
#include "world/terrainImage.hpp"
#include "world/worldMap.hpp"

#include <algorithm>
#include <boost/filesystem/operations.hpp>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int PIXELS = mapLayout::PIXELS_PER_CELL;
/// The cap pictures, as the world map shows them: 360 × 25 cells, stretched across the map's width.
constexpr int CAP_CELLS_ACROSS = iceCap::columns - 1;
constexpr int CAP_CELLS_DOWN = iceCap::rows - 1;
constexpr int CAP_ROWS = CAP_CELLS_DOWN * PIXELS;

void setPixel(std::vector<std::uint8_t>& row, int x, sf::Color colour) {
    const std::size_t at = static_cast<std::size_t>(x) * 3;
    row[at] = colour.r;
    row[at + 1] = colour.g;
    row[at + 2] = colour.b;
}

/// Row `y` of the picture without the marks. A cap column stands for mapWidth / 1800 map pixels.
void fillBaseRow(std::vector<std::uint8_t>& row, int y, const worldMap& map, const iceCap& north,
                 const iceCap& south) {
    const int width = map.mapWidth * PIXELS;
    const int mapRows = map.mapHeight * PIXELS;
    if (y >= CAP_ROWS && y < CAP_ROWS + mapRows) {
        const int cellY = (y - CAP_ROWS) / PIXELS;
        for (int x = 0; x < width; ++x) {
            setPixel(row, x, terrainColour(map.data(x / PIXELS, cellY)));
        }
        return;
    }
    // The south cap is shown flipped, its pole row at the bottom.
    const bool northern = y < CAP_ROWS;
    const iceCap& cap = northern ? north : south;
    const int capY = northern ? y : CAP_ROWS - 1 - (y - CAP_ROWS - mapRows);
    const auto capWidth = static_cast<long long>(CAP_CELLS_ACROSS * PIXELS);
    for (int x = 0; x < width; ++x) {
        const int capX = static_cast<int>(static_cast<long long>(x) * capWidth / width);
        setPixel(row, x, iceCapColour(cap.data(capX / PIXELS, capY / PIXELS)));
    }
}

/// Paints the part of `mark` that lies on row `y`, wrapping east to west.
void paintMark(std::vector<std::uint8_t>& row, int width, int y, const mapMark& mark) {
    const int dy = std::abs(y - mark.y);
    const int reach = mark.city ? MAP_MARK_RADIUS : MAP_MARK_RADIUS - dy;
    for (int dx = -reach; dx <= reach; ++dx) {
        const bool edge =
            mark.city ? std::max(std::abs(dx), dy) == MAP_MARK_RADIUS : std::abs(dx) + dy == MAP_MARK_RADIUS;
        setPixel(row, ((mark.x + dx) % width + width) % width, edge ? sf::Color::Black : mark.colour);
    }
}

} // namespace

sf::Vector2u mapPictureSize(const worldMap& map) {
    return {static_cast<unsigned>(map.mapWidth * PIXELS),
            static_cast<unsigned>(map.mapHeight * PIXELS + 2 * CAP_ROWS)};
}

std::vector<mapMark> mapMarksOf(const std::vector<std::unique_ptr<Faction>>& factions,
                                const factionColourSource& colourOf) {
    std::vector<mapMark> marks;
    constexpr float GRID_PIXELS = mapLayout::GRID_PIXELS;
    for (const auto& faction : factions) {
        const sf::Color colour = colourOf(*faction);
        for (const placeableObject* object : faction->objects) {
            marks.push_back(mapMark{static_cast<int>(std::floor(object->x * GRID_PIXELS)),
                                    CAP_ROWS + static_cast<int>(std::floor(object->y * GRID_PIXELS)),
                                    dynamic_cast<const city*>(object) != nullptr, colour});
        }
    }
    return marks;
}

void writeMapPicture(std::ostream& out, const worldMap& map, const iceCap& north, const iceCap& south,
                     std::vector<mapMark> marks) {
    const sf::Vector2u size = mapPictureSize(map);
    const int width = static_cast<int>(size.x);
    const int height = static_cast<int>(size.y);
    // By row, so that the marks on a row are a run of neighbours; later marks are painted over earlier ones.
    std::stable_sort(marks.begin(), marks.end(),
                     [](const mapMark& a, const mapMark& b) { return a.y < b.y; });
    pngRowWriter png(out, size.x, size.y);
    std::vector<std::uint8_t> base(static_cast<std::size_t>(width) * 3);
    std::vector<std::uint8_t> row(base.size());
    auto first = marks.begin();
    for (int y = 0; y < height; ++y) {
        // A cell's five rows share their colours: the base row changes every fifth row.
        if (y % PIXELS == 0) {
            fillBaseRow(base, y, map, north, south);
        }
        while (first != marks.end() && first->y + MAP_MARK_RADIUS < y) {
            ++first;
        }
        row = base;
        for (auto mark = first; mark != marks.end() && mark->y - MAP_MARK_RADIUS <= y; ++mark) {
            if (std::abs(y - mark->y) <= MAP_MARK_RADIUS) {
                paintMark(row, width, y, *mark);
            }
        }
        png.writeRow(row.data());
    }
    png.finish();
}

std::uintmax_t saveMapPicture(const std::string& path, const worldMap& map, const iceCap& north,
                              const iceCap& south, std::vector<mapMark> marks) {
    writeFileAtomically(path, std::ios::out | std::ios::binary, [&](std::ostream& out) {
        writeMapPicture(out, map, north, south, std::move(marks));
    });
    return boost::filesystem::file_size(path);
}
