#include "support/testFiles.hpp"
#include "world/jpegFile.hpp"
#include "world/terrainImage.hpp"

#include <cstdlib>
#include <gtest/gtest.h>

TEST(JpegScaling, DecodesAtTheSmallestPowerOfTwoFactorStillAsLargeAsShown) {
    struct Case { unsigned picture, shown, side; const char* why; };
    const Case cases[] = {
        {600, 213, 300, "the default window's square: half size"},
        {600, 300, 300, "half size is exactly large enough"},
        {600, 301, 600, "one pixel more needs the whole picture"},
        {600, 150, 150, "a quarter"},
        {600, 149, 150, "a quarter still covers one pixel less"},
        {600, 1, 75, "never below an eighth"},
        {600, 0, 600, "0 asks for the whole size"},
        {601, 301, 301, "sizes round up, as TurboJPEG's do"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(scaledJpegSide(c.picture, c.shown), c.side);
    }
    // Left half sand, right half deep water: decoded at half size, each half keeps its colour.
    sf::Image image;
    image.create(600, 600, SAND);
    for (unsigned x = 300; x < 600; ++x) {
        for (unsigned y = 0; y < 600; ++y) {
            image.setPixel(x, y, DARK_BLUE);
        }
    }
    const temporaryDirectory folder;
    ASSERT_TRUE(writeJpeg(image, folder.file("halves.jpg")));
    rgbaPicture picture;
    std::string error;
    ASSERT_TRUE(readJpeg(folder.file("halves.jpg"), picture, error, 213)) << error;
    ASSERT_EQ(picture.width, 300u);
    ASSERT_EQ(picture.height, 300u);
    for (const auto& [x, colour] : {std::pair{75u, SAND}, std::pair{225u, DARK_BLUE}}) {
        const std::uint8_t* pixel = &picture.pixels[(150u * 300u + x) * 4u];
        EXPECT_LE(std::abs(pixel[0] - colour.r) + std::abs(pixel[1] - colour.g) + std::abs(pixel[2] - colour.b), 12)
            << x;
    }
}
