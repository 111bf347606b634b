#pragma once

#include <SFML/Graphics/Image.hpp>
#include <cstdint>
#include <string>
#include <vector>

enum class pixelLayout { rgb, rgba };

/// Writes packed pixel rows (no padding) as a baseline JPEG (quality 90, 4:2:0) to `path`.
/// The file appears under its name only when complete: it is written beside it and renamed into place.
/// On failure prints one line with the path and the reason to std::cerr and returns false.
/// Thread-safe: every thread encodes with its own TurboJPEG handle.
[[nodiscard]] bool writeJpeg(const std::uint8_t* pixels, unsigned width, unsigned height, pixelLayout layout,
                             const std::string& path);

/// As above, from an image's RGBA pixels; the alpha channel is dropped.
[[nodiscard]] bool writeJpeg(const sf::Image& image, const std::string& path);

/// Packed RGBA rows of a decoded picture; empty when decoding failed.
struct rgbaPicture {
    unsigned width = 0;
    unsigned height = 0;
    std::vector<std::uint8_t> pixels;
};

/// Decodes the JPEG file at `path` into `picture` (reusing its buffer). On failure returns false with the
/// reason in `error` and leaves `picture` empty. Thread-safe: every thread decodes with its own handle.
[[nodiscard]] bool readJpeg(const std::string& path, rgbaPicture& picture, std::string& error);
