#include "support/testFiles.hpp"
#include "world/jpegFile.hpp"
#include "world/terrainImage.hpp"

#include <cstdlib>
#include <gtest/gtest.h>
#include <tuple>

TEST(JpegScaling, DecodesAtTheSmallestFactorStillAsLargeAsShown) {
    // picture side, side shown, side decoded, why.
    const std::tuple<unsigned, unsigned, unsigned, const char*> cases[] = {
        {600, 213, 225, "the default window's square: 3/8"},
        {600, 300, 300, "exactly half"},
        {600, 301, 375, "one pixel more: 5/8"},
        {600, 526, 600, "the whole size only past 7/8's 525"},
        {600, 1, 75, "never below an eighth"},
        {600, 0, 600, "0 asks for the whole size"},
    };
    for (const auto& [picture, shown, side, why] : cases) {
        SCOPED_TRACE(why);
        EXPECT_EQ(scaledJpegSide(picture, shown), side);
    }
    // Decoded for the default window's square, a sand-coloured picture comes out at 3/8 size, still sand.
    sf::Image image;
    image.create(600, 600, SAND);
    const temporaryDirectory folder;
    ASSERT_TRUE(writeJpeg(image, folder.file("sand.jpg")));
    rgbaPicture picture;
    std::string error;
    ASSERT_TRUE(readJpeg(folder.file("sand.jpg"), picture, error, 213)) << error;
    ASSERT_EQ(sf::Vector2u(picture.width, picture.height), sf::Vector2u(225, 225));
    const std::uint8_t* centre = &picture.pixels[(112u * 225u + 112u) * 4u];
    EXPECT_LE(std::abs(centre[0] - SAND.r) + std::abs(centre[1] - SAND.g) + std::abs(centre[2] - SAND.b), 9);
}
