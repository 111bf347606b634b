#pragma once

#include <SFML/Graphics/Image.hpp>
#include <cstdint>
#include <string>

enum class pixelLayout { rgb, rgba };

/// Writes packed pixel rows (no padding) as a baseline JPEG (quality 90, 4:2:0) to `path`.
/// The file appears under its name only when complete: it is written beside it and renamed into place.
/// On failure prints one line with the path and the reason to std::cerr and returns false.
/// Thread-safe: every thread encodes with its own TurboJPEG handle.
[[nodiscard]] bool writeJpeg(const std::uint8_t* pixels, unsigned width, unsigned height, pixelLayout layout,
                             const std::string& path);

/// As above, from an image's RGBA pixels; the alpha channel is dropped.
[[nodiscard]] bool writeJpeg(const sf::Image& image, const std::string& path);
