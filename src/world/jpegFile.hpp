#pragma once

#include <SFML/Graphics/Image.hpp>
#include <cstdint>
#include <string>
#include <vector>

enum class pixelLayout { rgb, rgba };

/// Writes packed pixel rows (no padding) as a baseline JPEG (quality 90, 4:2:0) to `path`.
/// The file appears under its name only when complete: it is written beside it and renamed into place. It is
/// not flushed to disk: pictures are written by the hundred, and flushed together (syncFileSystem).
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

/// The side of a square picture of `pictureSide` pixels decoded at the smallest of TurboJPEG's scaling
/// factors (1/8, 1/4, 3/8, … 7/8, 1) that keeps it at least `shownSide` pixels; 0 asks for the whole size.
[[nodiscard]] unsigned scaledJpegSide(unsigned pictureSide, unsigned shownSide);

/// Decodes the JPEG file at `path` into `picture` (reusing its buffer), scaled down as scaledJpegSide says
/// for a picture shown `shownSide` pixels wide and high (0: whole size). On failure returns false with the
/// reason in `error` and leaves `picture` empty. Thread-safe: every thread decodes with its own handle.
[[nodiscard]] bool readJpeg(const std::string& path, rgbaPicture& picture, std::string& error,
                            unsigned shownSide = 0);
