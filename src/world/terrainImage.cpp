#include "world/terrainImage.hpp"

#include "world/altitudes.hpp"

#include <algorithm>
#include <cstddef>

const sf::Color GREY(214, 214, 214);
const sf::Color GREY_BROWN(43, 89, 50);
const sf::Color FOREST_GREEN(30, 109, 35);
const sf::Color GRASSLAND_GREEN(51, 147, 51);
const sf::Color SAND(142, 165, 107);
const sf::Color DARK_BLUE(0, 7, 232);
const sf::Color LIGHT_GREEN(144, 238, 144);
const sf::Color GREY_WITH_ALPHA(64, 64, 64, 200);
const sf::Color YELLOW_WITH_ALPHA(255, 255, 0, 100);
const sf::Color SELECTION_COLOUR(0, 255, 255);

namespace {

// Exclusive lower bounds of the terrain bands, lowest first; a height's band is the number it exceeds.
constexpr std::int32_t TERRAIN_BAND_FLOORS[] = {
    DEEP_OCEAN_ALTITUDE - 1,  WATER_ALTITUDE,           GRASSLAND_ALTITUDE,   FOREST_ALTITUDE,
    MOUNTIAN_BOTTOM_ALTITUDE, MOUNTIAN_MIDDLE_ALTITUDE, MOUNTIAN_TOP_ALTITUDE};
constexpr int UNSET_BAND = 8;
constexpr std::int32_t ICE_ALTITUDE = 50;

// Counting instead of branching keeps the colouring fast on terrain that changes band often.
int terrainBand(std::int32_t h) {
    if (h == UNSET_HEIGHT) {
        return UNSET_BAND;
    }
    int band = 0;
    for (const std::int32_t floor : TERRAIN_BAND_FLOORS) {
        band += h > floor ? 1 : 0;
    }
    return band;
}

int iceCapBand(std::int32_t h) {
    return (h > WATER_ALTITUDE ? 1 : 0) + (h > ICE_ALTITUDE ? 1 : 0);
}

/// Band colours indexed by terrainBand, then by iceCapBand.
struct palettes {
    sf::Color terrain[UNSET_BAND + 1];
    sf::Color iceCap[3];
};

// Built on first use rather than during static initialisation, whose order across files is unspecified.
const palettes& bandPalettes() {
    static const palettes colours = {{DARK_BLUE, sf::Color::Blue, SAND, GRASSLAND_GREEN, FOREST_GREEN,
                                      GREY_BROWN, GREY, sf::Color::White, sf::Color::Black},
                                     {DARK_BLUE, GREY, sf::Color::White}};
    return colours;
}

} // namespace

sf::Color terrainColour(std::int32_t h) {
    return bandPalettes().terrain[terrainBand(h)];
}

sf::Color iceCapColour(std::int32_t h) {
    return bandPalettes().iceCap[iceCapBand(h)];
}

sf::Image writeToImage(const heightField& field, unsigned width, unsigned height, unsigned pixelScale,
                       bool iceCapMode) {
    const palettes& colours = bandPalettes();
    // Pixels go straight into the image: a second full-size buffer costs more in page faults than setPixel.
    sf::Image image;
    image.create(width * pixelScale, height * pixelScale);
    for (unsigned y = 0; y < height; ++y) {
        for (unsigned x = 0; x < width; ++x) {
            const std::int32_t h = field(static_cast<int>(x), static_cast<int>(y));
            const sf::Color colour =
                iceCapMode ? colours.iceCap[iceCapBand(h)] : colours.terrain[terrainBand(h)];
            for (unsigned row = 0; row < pixelScale; ++row) {
                for (unsigned i = 0; i < pixelScale; ++i) {
                    image.setPixel(x * pixelScale + i, y * pixelScale + row, colour);
                }
            }
        }
    }
    return image;
}

void writeTerrainRgb(const heightField& field, unsigned width, unsigned height,
                     std::vector<std::uint8_t>& rgb) {
    rgb.resize(static_cast<std::size_t>(width) * height * 3);
    const palettes& colours = bandPalettes();
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    // Strips of a few rows read each column in short runs while the pixel rows are written in step.
    constexpr unsigned STRIP_ROWS = 16;
    for (unsigned top = 0; top < height; top += STRIP_ROWS) {
        const unsigned bottom = std::min(height, top + STRIP_ROWS);
        for (unsigned x = 0; x < width; ++x) {
            const std::int32_t* column = field.column(static_cast<int>(x));
            std::uint8_t* pixel = rgb.data() + top * rowBytes + static_cast<std::size_t>(x) * 3;
            for (unsigned y = top; y < bottom; ++y, pixel += rowBytes) {
                const sf::Color colour = colours.terrain[terrainBand(column[y])];
                pixel[0] = colour.r;
                pixel[1] = colour.g;
                pixel[2] = colour.b;
            }
        }
    }
}

bool aboveWaterAndBelowMountiantop(int x, int y, const heightField& field) {
    const std::int32_t h = field(x, y);
    return WATER_ALTITUDE < h && h < MOUNTIAN_TOP_ALTITUDE;
}

std::string imageDirectoryPath(const std::string& worldPath) {
    return worldPath + "/images";
}

std::string gridImageName(int gx, int gy) {
    return std::to_string(gx) + "_" + std::to_string(gy) + ".jpg";
}

std::string gridImagePath(const std::string& worldPath, int gx, int gy) {
    return imageDirectoryPath(worldPath) + "/" + gridImageName(gx, gy);
}

std::string subgridDirectoryPath(const std::string& worldPath, int gx, int gy) {
    return imageDirectoryPath(worldPath) + "/" + std::to_string(gx) + "_" + std::to_string(gy);
}

std::string subgridImagePath(const std::string& worldPath, int gx, int gy, int sx, int sy) {
    return subgridDirectoryPath(worldPath, gx, gy) + "/" + std::to_string(sx) + "_" + std::to_string(sy) +
           ".jpg";
}
