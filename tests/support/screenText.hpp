#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Text.hpp>
#include <stdexcept>
#include <tuple>

/// Share of the pixels that `text`, drawn in the shipped font at `size` with its origin at window pixel (x,
/// y), covers wholly that show exactly `colour` in `shot`: 1 where the window shows that text in that colour,
/// well below where it shows other text or none. Needs a display.
inline double textShown(const sf::Image& shot, const sf::String& text, int x, int y,
                        sf::Color colour = sf::Color::White, unsigned size = 20) {
    sf::Font font; // loaded for each call: glyph textures must not outlive the graphics context
    sf::RenderTexture canvas;
    const sf::Text sample(text, font, size);
    if (!font.loadFromFile(std::string(KESTROVA_SOURCE_DIR) + "/assets/arial.ttf") ||
        !canvas.create(
            static_cast<unsigned>(sample.getLocalBounds().left + sample.getLocalBounds().width) + 2,
            static_cast<unsigned>(sample.getLocalBounds().top + sample.getLocalBounds().height) + 2)) {
        throw std::runtime_error("cannot render text");
    }
    canvas.clear(sf::Color::Transparent);
    canvas.draw(sample);
    canvas.display();
    const sf::Image glyphs = canvas.getTexture().copyToImage();
    int covered = 0, matching = 0;
    for (unsigned i = 0; i < glyphs.getSize().x * glyphs.getSize().y; ++i) {
        const unsigned gx = i % glyphs.getSize().x, gy = i / glyphs.getSize().x, sx = x + gx, sy = y + gy;
        if (glyphs.getPixel(gx, gy).a == 255) {
            ++covered;
            matching +=
                sx < shot.getSize().x && sy < shot.getSize().y && shot.getPixel(sx, sy) == colour ? 1 : 0;
        }
    }
    return covered == 0 ? 0.0 : static_cast<double>(matching) / covered;
}

/// Whether one of the console's eleven log lines shows `text` whole, green: at (5, 5 + 23 k) from the top, or
/// once the log has scrolled, with the last line's bottom at 265.
inline bool consoleShows(const sf::Image& shot, const std::string& text) {
    for (int k = 0; k < 22; ++k) {
        if (textShown(shot, text, 5, k < 11 ? 5 + 23 * k : 265 - 23 * (k - 10), sf::Color::Green) > 0.97) {
            return true;
        }
    }
    return false;
}

/// The whole number the window shows right after `prefix`, white at window pixel (x, y), read a digit at a
/// time, each the best match (a 0 where a 9 shows still scores above 0.97); -1 when not even the prefix
/// shows.
inline long numberShownAfter(const sf::Image& shot, const std::string& prefix, int x, int y) {
    std::string shown = prefix;
    for (bool more = true; more;) {
        double best = 0.97;
        char found = 0;
        for (char digit = '0'; digit <= '9'; ++digit) {
            const double score = textShown(shot, shown + digit, x, y);
            std::tie(best, found) = score > best ? std::make_pair(score, digit) : std::make_pair(best, found);
        }
        more = found != 0;
        shown += more ? std::string(1, found) : "";
    }
    return shown.size() > prefix.size() ? std::stol(shown.substr(prefix.size())) : -1;
}
