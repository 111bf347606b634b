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

const std::vector<sf::Color> blockColours = {GREY, GREY_BROWN, FOREST_GREEN,    GRASSLAND_GREEN,
                                             SAND, DARK_BLUE,  sf::Color::Blue, sf::Color::White};

// 600 × 600 pixels in 100 × 100 blocks of the terrain colours.
sf::Image blockImage() {
    sf::Image image;
    image.create(600, 600);
    for (unsigned x = 0; x < 600; ++x) {
        for (unsigned y = 0; y < 600; ++y) {
            image.setPixel(x, y, blockColours[(x / 100 + 3 * (y / 100)) % blockColours.size()]);
        }
    }
    return image;
}

bool near(const sf::Color& actual, const sf::Color& expected, int tolerance) {
    return std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
           std::abs(actual.b - expected.b) <= tolerance;
}

// Compares the centre of every block; JPEG keeps flat areas within a few levels.
void expectBlocksNear(const sf::Image& loaded, const sf::Image& original) {
    for (unsigned bx = 0; bx < 6; ++bx) {
        for (unsigned by = 0; by < 6; ++by) {
            const unsigned x = bx * 100 + 50, y = by * 100 + 50;
            const sf::Color expected = original.getPixel(x, y);
            const sf::Color actual = loaded.getPixel(x, y);
            EXPECT_TRUE(near(actual, expected, 6))
                << "block " << bx << ", " << by << ": " << int(actual.r) << " " << int(actual.g) << " "
                << int(actual.b) << " instead of " << int(expected.r) << " " << int(expected.g) << " "
                << int(expected.b);
        }
    }
}

std::vector<std::string> filesIn(const std::string& directory) {
    std::vector<std::string> names;
    for (const auto& entry : boost::filesystem::directory_iterator(directory)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

/// Collects what is written to std::cerr while it lives.
class capturedErrors {
  public:
    capturedErrors() : saved(std::cerr.rdbuf(text.rdbuf())) {}
    ~capturedErrors() { std::cerr.rdbuf(saved); }
    capturedErrors(const capturedErrors&) = delete;
    capturedErrors& operator=(const capturedErrors&) = delete;
    std::string str() const { return text.str(); }

  private:
    std::ostringstream text;
    std::streambuf* saved;
};

} // namespace

TEST(JpegFile, ImageWrittenLoadsBackWithItsSizeAndColours) {
    temporaryDirectory directory;
    const std::string path = directory.file("0_0.jpg");
    const sf::Image original = blockImage();

    ASSERT_TRUE(writeJpeg(original, path));
    sf::Image loaded;
    ASSERT_TRUE(loaded.loadFromFile(path));
    EXPECT_EQ(loaded.getSize(), sf::Vector2u(600, 600));
    expectBlocksNear(loaded, original);
    EXPECT_EQ(filesIn(directory.path()), std::vector<std::string>{"0_0.jpg"});
}

TEST(JpegFile, PackedRgbRowsGiveTheSamePicture) {
    temporaryDirectory directory;
    const std::string path = directory.file("rgb.jpg");
    const sf::Image original = blockImage();
    std::vector<std::uint8_t> rgb;
    for (unsigned y = 0; y < 600; ++y) {
        for (unsigned x = 0; x < 600; ++x) {
            const sf::Color colour = original.getPixel(x, y);
            rgb.insert(rgb.end(), {colour.r, colour.g, colour.b});
        }
    }

    ASSERT_TRUE(writeJpeg(rgb.data(), 600, 600, pixelLayout::rgb, path));
    sf::Image loaded;
    ASSERT_TRUE(loaded.loadFromFile(path));
    EXPECT_EQ(loaded.getSize(), sf::Vector2u(600, 600));
    expectBlocksNear(loaded, original);
}

TEST(JpegFile, ExistingFileIsReplaced) {
    temporaryDirectory directory;
    const std::string path = directory.file("picture.jpg");
    writeTextFile(path, "not a picture");

    ASSERT_TRUE(writeJpeg(blockImage(), path));
    sf::Image loaded;
    EXPECT_TRUE(loaded.loadFromFile(path));
    EXPECT_EQ(filesIn(directory.path()), std::vector<std::string>{"picture.jpg"});
}

TEST(JpegFile, MissingDirectoryIsReportedOnOneLine) {
    temporaryDirectory directory;
    const std::string path = directory.file("missing/0_0.jpg");
    capturedErrors errors;

    EXPECT_FALSE(writeJpeg(blockImage(), path));
    EXPECT_EQ(errors.str(), "Could not write JPEG image " + path + ": No such file or directory\n");
    EXPECT_FALSE(boost::filesystem::exists(path));
}

TEST(JpegFile, EmptyImageIsRefused) {
    temporaryDirectory directory;
    const std::string path = directory.file("empty.jpg");
    capturedErrors errors;

    EXPECT_FALSE(writeJpeg(sf::Image(), path));
    EXPECT_EQ(errors.str(), "Could not write JPEG image " + path + ": the image is empty\n");
    EXPECT_TRUE(filesIn(directory.path()).empty());
}

TEST(ThreadedJpegFile, ThreadsEncodeAtTheSameTime) {
    temporaryDirectory directory;
    const sf::Image original = blockImage();
    std::vector<int> written(4, 0);
    {
        std::vector<std::thread> writers;
        writers.reserve(4);
        for (int t = 0; t < 4; ++t) {
            writers.emplace_back([&, t] {
                for (int i = 0; i < 3; ++i) {
                    const std::string path =
                        directory.file(std::to_string(t) + "_" + std::to_string(i) + ".jpg");
                    written[static_cast<std::size_t>(t)] += writeJpeg(original, path) ? 1 : 0;
                }
            });
        }
        for (std::thread& writer : writers) {
            writer.join();
        }
    }
    EXPECT_EQ(written, std::vector<int>(4, 3));
    EXPECT_EQ(filesIn(directory.path()).size(), 12u);
    sf::Image loaded;
    ASSERT_TRUE(loaded.loadFromFile(directory.file("3_2.jpg")));
    expectBlocksNear(loaded, original);
}
