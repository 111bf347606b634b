#include "view/mapLayout.hpp"

#include <gtest/gtest.h>

TEST(MapLayout, TheWidestWorldsMapPictureComesInStripsTheGraphicsCardTakes) {
    EXPECT_EQ(pictureStrips(18000, 6500, 16384),
              (std::vector<sf::IntRect>{{0, 0, 16384, 6500}, {16384, 0, 1616, 6500}}));
}
