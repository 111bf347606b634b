#include "support/testFiles.hpp"
#include "world/jpegFile.hpp"
#include "world/terrainImage.hpp"

#include <boost/filesystem.hpp>
#include <cstdlib>
#include <gtest/gtest.h>
#include <iostream>
#include <sstream>
#include <thread>
#include <vector>

namespace {

// 600 × 600 pixels in 100 × 100 blocks of the terrain colours.
sf::Image blockImage() {
    const sf::Color colours[] = {GREY, GREY_BROWN, FOREST_GREEN,    GRASSLAND_GREEN,
                                 SAND, DARK_BLUE,  sf::Color::Blue, sf::Color::White};
    sf::Image image;
    image.create(600, 600);
    for (unsigned x = 0; x < 600; ++x) {
        for (unsigned y = 0; y < 600; ++y) {
            image.setPixel(x, y, colours[(x / 100 + 3 * (y / 100)) % 8]);
        }
    }
    return image;
}

// Whether a decoded colour is within the few levels JPEG keeps flat areas, and opaque.
bool near(const sf::Color& decoded, const sf::Color& original) {
    return std::abs(decoded.r - original.r) <= 6 && std::abs(decoded.g - original.g) <= 6 &&
           std::abs(decoded.b - original.b) <= 6 && decoded.a == 255;
}

// Loads the picture and compares the centre of every block; JPEG keeps flat areas within a few levels.
void expectLoadsAsBlocks(const std::string& path) {
    const sf::Image original = blockImage();
    sf::Image loaded;
    ASSERT_TRUE(loaded.loadFromFile(path));
    ASSERT_EQ(loaded.getSize(), sf::Vector2u(600, 600));
    for (unsigned x = 50; x < 600; x += 100) {
        for (unsigned y = 50; y < 600; y += 100) {
            EXPECT_TRUE(near(loaded.getPixel(x, y), original.getPixel(x, y))) << x << ", " << y;
        }
    }
}

} // namespace

TEST(JpegFile, WrittenPictureLoadsBackAndAFailedWriteLeavesNoFile) {
    temporaryDirectory directory;
    ASSERT_TRUE(writeJpeg(blockImage(), directory.file("0_0.jpg")));
    expectLoadsAsBlocks(directory.file("0_0.jpg"));

    SCOPED_TRACE("into a missing directory");
    const std::string path = directory.file("missing/0_0.jpg");
    std::ostringstream errors;
    std::streambuf* const saved = std::cerr.rdbuf(errors.rdbuf());
    const bool written = writeJpeg(blockImage(), path);
    std::cerr.rdbuf(saved);
    EXPECT_FALSE(written);
    EXPECT_NE(errors.str().find(path), std::string::npos) << errors.str();
    EXPECT_FALSE(boost::filesystem::exists(path));
}

TEST(JpegFile, ReadReportsAFileThatIsNoPicture) {
    temporaryDirectory directory;
    writeTextFile(directory.file("text.jpg"), "not a picture");
    for (const char* name : {"missing.jpg", "text.jpg"}) {
        SCOPED_TRACE(name);
        rgbaPicture picture;
        std::string error;
        EXPECT_FALSE(readJpeg(directory.file(name), picture, error));
        EXPECT_FALSE(error.empty());
        EXPECT_TRUE(picture.pixels.empty());
        EXPECT_EQ(picture.width, 0u);
    }
}

TEST(ThreadedJpegFile, ThreadsWritePackedRgbPicturesAtTheSameTime) {
    temporaryDirectory directory;
    const sf::Image image = blockImage();
    std::vector<std::uint8_t> rgb;
    for (const std::uint8_t* pixel = image.getPixelsPtr(); rgb.size() < 600 * 600 * 3; pixel += 4) {
        rgb.insert(rgb.end(), pixel, pixel + 3);
    }
    bool written[4] = {};
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t) {
        writers.emplace_back([&, t] {
            written[t] =
                writeJpeg(rgb.data(), 600, 600, pixelLayout::rgb, directory.file(std::to_string(t) + ".jpg"));
        });
    }
    for (std::thread& writer : writers) {
        writer.join();
    }
    for (int t = 0; t < 4; ++t) {
        SCOPED_TRACE("thread " + std::to_string(t));
        EXPECT_TRUE(written[t]);
        expectLoadsAsBlocks(directory.file(std::to_string(t) + ".jpg"));
    }

    SCOPED_TRACE("and read them back at the same time, as RGBA");
    rgbaPicture pictures[4];
    bool read[4] = {};
    std::vector<std::thread> readers;
    for (int t = 0; t < 4; ++t) {
        readers.emplace_back([&, t] {
            std::string error;
            read[t] = readJpeg(directory.file(std::to_string(t) + ".jpg"), pictures[t], error);
        });
    }
    for (std::thread& reader : readers) {
        reader.join();
    }
    for (int t = 0; t < 4; ++t) {
        EXPECT_TRUE(read[t]);
        EXPECT_TRUE(pictures[t].pixels == pictures[0].pixels);
    }
    ASSERT_EQ(pictures[0].width, 600u);
    ASSERT_EQ(pictures[0].height, 600u);
    ASSERT_EQ(pictures[0].pixels.size(), 600u * 600u * 4u);
    for (unsigned x = 50; x < 600; x += 100) {
        for (unsigned y = 50; y < 600; y += 100) {
            const std::uint8_t* p = &pictures[0].pixels[(y * 600 + x) * 4];
            EXPECT_TRUE(near(sf::Color(p[0], p[1], p[2], p[3]), image.getPixel(x, y))) << x << ", " << y;
        }
    }
}
