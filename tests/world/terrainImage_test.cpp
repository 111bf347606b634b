#include "world/terrainImage.hpp"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

heightField filledField(int columns, int rows, std::int32_t height) {
    heightField field(columns, rows);
    field.fill(height);
    return field;
}

} // namespace

TEST(TerrainImage, ColourConstantsHoldTheirComponents) {
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

TEST(TerrainImage, TerrainBandsChangeAboveEachAltitude) {
    const std::vector<std::pair<std::int32_t, sf::Color>> bands = {{7001, sf::Color::White},
                                                                   {7000, GREY},
                                                                   {5001, GREY},
                                                                   {5000, GREY_BROWN},
                                                                   {4701, GREY_BROWN},
                                                                   {4700, FOREST_GREEN},
                                                                   {3001, FOREST_GREEN},
                                                                   {3000, GRASSLAND_GREEN},
                                                                   {401, GRASSLAND_GREEN},
                                                                   {400, SAND},
                                                                   {1, SAND},
                                                                   {0, sf::Color::Blue},
                                                                   {-5000, sf::Color::Blue},
                                                                   {-5001, DARK_BLUE},
                                                                   {UNSET_HEIGHT, sf::Color::Black},
                                                                   {UNSET_HEIGHT - 1, sf::Color::White}};
    for (const auto& [height, colour] : bands) {
        EXPECT_EQ(terrainColour(height), colour) << "height " << height;
    }
}

TEST(TerrainImage, IceCapBandsChangeAboveFiftyAndZero) {
    EXPECT_EQ(iceCapColour(51), sf::Color::White);
    EXPECT_EQ(iceCapColour(50), GREY);
    EXPECT_EQ(iceCapColour(1), GREY);
    EXPECT_EQ(iceCapColour(0), DARK_BLUE);
    EXPECT_EQ(iceCapColour(-7000), DARK_BLUE);
    EXPECT_EQ(iceCapColour(UNSET_HEIGHT), sf::Color::White);
}

TEST(TerrainImage, UnsetCellIsBlackInTerrainModeAndWhiteInIceCapMode) {
    const heightField field = filledField(1, 1, UNSET_HEIGHT);
    EXPECT_EQ(writeToImage(field, 1, 1, 1, false).getPixel(0, 0), sf::Color::Black);
    EXPECT_EQ(writeToImage(field, 1, 1, 1, true).getPixel(0, 0), sf::Color::White);
}

TEST(TerrainImage, EachCellFillsItsPixelBlock) {
    heightField field = filledField(4, 5, -6000);
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

TEST(TerrainImage, OnlyTheRequestedCellsAreDrawn) {
    heightField field = filledField(3, 3, 100);
    field(2, 0) = 8000;
    field(0, 2) = 8000;
    const sf::Image image = writeToImage(field, 2, 2, 1, false);

    ASSERT_EQ(image.getSize(), sf::Vector2u(2, 2));
    for (unsigned x = 0; x < 2; ++x) {
        for (unsigned y = 0; y < 2; ++y) {
            EXPECT_EQ(image.getPixel(x, y), SAND);
        }
    }
}

TEST(TerrainImage, IceCapModeUsesTheIceBands) {
    heightField field = filledField(2, 1, 100);
    field(1, 0) = 20;
    const sf::Image image = writeToImage(field, 2, 1, 2, true);
    ASSERT_EQ(image.getSize(), sf::Vector2u(4, 2));
    EXPECT_EQ(image.getPixel(1, 1), sf::Color::White);
    EXPECT_EQ(image.getPixel(2, 0), GREY);
}

TEST(TerrainImage, RgbRowsHoldTheSameColoursAsTheImage) {
    heightField field(7, 6);
    for (int x = 0; x < 7; ++x) {
        for (int y = 0; y < 6; ++y) {
            field(x, y) = -6000 + 1500 * x + 137 * y;
        }
    }
    field(3, 4) = UNSET_HEIGHT;
    const sf::Image image = writeToImage(field, 6, 5, 1, false);
    std::vector<std::uint8_t> rgb;
    writeTerrainRgb(field, 6, 5, rgb);

    ASSERT_EQ(rgb.size(), 6u * 5u * 3u);
    for (unsigned x = 0; x < 6; ++x) {
        for (unsigned y = 0; y < 5; ++y) {
            const std::uint8_t* pixel = &rgb[(std::size_t{y} * 6 + x) * 3];
            EXPECT_EQ(sf::Color(pixel[0], pixel[1], pixel[2]), image.getPixel(x, y))
                << "pixel " << x << ", " << y;
        }
    }
}

TEST(TerrainImage, PlacementNeedsLandBelowTheMountainTops) {
    heightField field(4, 1);
    field(0, 0) = 0;
    field(1, 0) = 1;
    field(2, 0) = 6999;
    field(3, 0) = 7000;
    EXPECT_FALSE(aboveWaterAndBelowMountiantop(0, 0, field));
    EXPECT_TRUE(aboveWaterAndBelowMountiantop(1, 0, field));
    EXPECT_TRUE(aboveWaterAndBelowMountiantop(2, 0, field));
    EXPECT_FALSE(aboveWaterAndBelowMountiantop(3, 0, field));
}

TEST(TerrainImage, PicturePathsFollowTheWorldLayout) {
    EXPECT_EQ(imageDirectoryPath("worlds/world7"), "worlds/world7/images");
    EXPECT_EQ(gridImageName(17, 4), "17_4.jpg");
    EXPECT_EQ(gridImagePath("worlds/world7", 0, 0), "worlds/world7/images/0_0.jpg");
    EXPECT_EQ(subgridDirectoryPath("worlds/world7", 17, 4), "worlds/world7/images/17_4");
    EXPECT_EQ(subgridImagePath("worlds/world7", 0, 0, 3, 9), "worlds/world7/images/0_0/3_9.jpg");
    EXPECT_EQ(subgridImagePath("worlds/world7", 17, 4, 3, 7), "worlds/world7/images/17_4/3_7.jpg");
}
