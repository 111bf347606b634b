#include "world/terrainImage.hpp"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

/// Draws the heights as one row of pixels and checks the colour of each.
void expectColours(const std::vector<std::pair<std::int32_t, sf::Color>>& cases, bool iceCapMode) {
    heightField field(static_cast<int>(cases.size()), 1);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        field(static_cast<int>(i), 0) = cases[i].first;
    }
    const sf::Image image = writeToImage(field, static_cast<unsigned>(cases.size()), 1, 1, iceCapMode);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto& [height, colour] = cases[i];
        EXPECT_EQ(image.getPixel(static_cast<unsigned>(i), 0), colour) << "height " << height;
    }
}

} // namespace

TEST(TerrainImage, ColourConstantsHoldTheirValues) {
    EXPECT_EQ(GREY, sf::Color(214, 214, 214, 255));
    EXPECT_EQ(GREY_BROWN, sf::Color(43, 89, 50, 255));
    EXPECT_EQ(FOREST_GREEN, sf::Color(30, 109, 35, 255));
    EXPECT_EQ(GRASSLAND_GREEN, sf::Color(51, 147, 51, 255));
    EXPECT_EQ(SAND, sf::Color(142, 165, 107, 255));
    EXPECT_EQ(DARK_BLUE, sf::Color(0, 7, 232, 255));
    EXPECT_EQ(LIGHT_GREEN, sf::Color(144, 238, 144, 255));
    EXPECT_EQ(GREY_WITH_ALPHA, sf::Color(64, 64, 64, 200));
    EXPECT_EQ(YELLOW_WITH_ALPHA, sf::Color(255, 255, 0, 100));
}

TEST(TerrainImage, ColoursChangeAtTheBandBoundaries) {
    // clang-format off
    {
        SCOPED_TRACE("terrain mode");
        expectColours({{7001, sf::Color::White}, {7000, GREY}, {5001, GREY}, {5000, GREY_BROWN},
                       {4701, GREY_BROWN}, {4700, FOREST_GREEN}, {3001, FOREST_GREEN}, {3000, GRASSLAND_GREEN},
                       {401, GRASSLAND_GREEN}, {400, SAND}, {1, SAND}, {0, sf::Color::Blue},
                       {-5000, sf::Color::Blue}, {-5001, DARK_BLUE}, {UNSET_HEIGHT, sf::Color::Black}}, false);
    }
    {
        SCOPED_TRACE("ice-cap mode");
        expectColours({{51, sf::Color::White}, {50, GREY}, {1, GREY}, {0, DARK_BLUE},
                       {UNSET_HEIGHT, sf::Color::White}}, true);
    }
    // clang-format on
}

TEST(TerrainImage, CellsFillTheirPixelBlocksAndPackedRgbMatchesTheImage) {
    {
        SCOPED_TRACE("pixelScale 5: cell (2, 3) fills x 10 … 14, y 15 … 19");
        heightField field(4, 5);
        field.fill(-6000);
        field(2, 3) = 100;
        const sf::Image image = writeToImage(field, 4, 5, 5, false);
        ASSERT_EQ(image.getSize(), sf::Vector2u(20, 25));
        for (unsigned x = 0; x < 20; ++x) {
            for (unsigned y = 0; y < 25; ++y) {
                const bool inBlock = x >= 10 && x <= 14 && y >= 15 && y <= 19;
                EXPECT_EQ(image.getPixel(x, y), inBlock ? SAND : DARK_BLUE) << "pixel " << x << ", " << y;
            }
        }
    }
    {
        SCOPED_TRACE("packed RGB rows of cells 6 × 39 of a 7 × 40 field");
        heightField field(7, 40);
        for (std::size_t i = 0; i < field.size(); ++i) {
            field.data()[i] = -6000 + static_cast<std::int32_t>(337 * i % 14000);
        }
        field(3, 4) = UNSET_HEIGHT;
        const sf::Image image = writeToImage(field, 6, 39, 1, false);
        std::vector<std::uint8_t> rgb;
        writeTerrainRgb(field, 6, 39, rgb);
        ASSERT_EQ(rgb.size(), 6u * 39u * 3u);
        for (unsigned x = 0; x < 6; ++x) {
            for (unsigned y = 0; y < 39; ++y) {
                const std::uint8_t* pixel = &rgb[(std::size_t{y} * 6 + x) * 3];
                EXPECT_EQ(sf::Color(pixel[0], pixel[1], pixel[2]), image.getPixel(x, y)) << x << ", " << y;
            }
        }
    }
}

TEST(TerrainImage, PicturePathsFollowTheWorldLayout) {
    EXPECT_EQ(gridImagePath("worlds/world7", 0, 0), "worlds/world7/images/0_0.jpg");
    EXPECT_EQ(subgridImagePath("worlds/world7", 0, 0, 3, 9), "worlds/world7/images/0_0/3_9.jpg");
}
