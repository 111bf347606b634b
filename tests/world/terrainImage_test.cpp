#include "world/terrainImage.hpp"

#include <gtest/gtest.h>

TEST(TerrainImage, ColoursChangeAtTheBandBoundariesAndFillTheirPixelBlocks) {
    const sf::Color white = sf::Color::White, grey(214, 214, 214), greyBrown(43, 89, 50), forest(30, 109, 35),
                    grass(51, 147, 51), sand(142, 165, 107), blue = sf::Color::Blue, darkBlue(0, 7, 232);
    // ice-cap mode, height, colour
    const std::tuple<bool, std::int32_t, sf::Color> bands[] = {{false, 7001, white},
                                                               {false, 7000, grey},
                                                               {false, 5000, greyBrown},
                                                               {false, 4700, forest},
                                                               {false, 3000, grass},
                                                               {false, 400, sand},
                                                               {false, 1, sand},
                                                               {false, 0, blue},
                                                               {false, -5000, blue},
                                                               {false, -5001, darkBlue},
                                                               {false, UNSET_HEIGHT, sf::Color::Black},
                                                               {true, 51, white},
                                                               {true, 50, grey},
                                                               {true, 0, darkBlue},
                                                               {true, UNSET_HEIGHT, white}};
    heightField field(5, 4);
    for (const auto& [iceCapMode, height, colour] : bands) {
        field.fill(-6000);
        field(2, 3) = height;
        const sf::Image image = writeToImage(field, 4, 4, 5, iceCapMode);
        ASSERT_EQ(image.getSize(), sf::Vector2u(20, 20));
        for (unsigned i = 0; i < 400; ++i) { // with 5 pixels a cell, cell (2, 3) fills x 10 … 14, y 15 … 19
            const bool inBlock = i % 20 >= 10 && i % 20 <= 14 && i / 20 >= 15;
            ASSERT_EQ(image.getPixel(i % 20, i / 20), inBlock ? colour : darkBlue) << height << " at " << i;
        }
        EXPECT_EQ(aboveWaterAndBelowMountiantop(2, 3, field), height > 0 && height < 7000) << height;
    }
    std::vector<std::uint8_t> rgb;
    writeTerrainRgb(field, 4, 4, rgb); // the same colours as packed rows
    EXPECT_EQ(std::vector<std::uint8_t>(rgb.begin() + (3 * 4 + 1) * 3, rgb.begin() + (3 * 4 + 3) * 3),
              std::vector<std::uint8_t>({0, 7, 232, 0, 0, 0}))
        << "red, green, blue: deep sea, then the unset cell";
}
