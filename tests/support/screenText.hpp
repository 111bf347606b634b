#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Text.hpp>
#include <stdexcept>
#include <string>

/// Share of the pixels that `text` covers wholly, drawn in the shipped font at `size` with its origin at
/// the whole window pixel (x, y), that show exactly `colour` in `shot`: 1 where the window shows that text
/// in that colour, well below where it shows other text or none. Needs a display (it renders the text).
inline double textShown(const sf::Image& shot, const std::string& text, int x, int y,
                        sf::Color colour = sf::Color::White, unsigned size = 20) {
    // Loaded for each call: glyph textures must not outlive the graphics context.
    sf::Font font;
    if (!font.loadFromFile(std::string(KESTROVA_SOURCE_DIR) + "/assets/arial.ttf")) {
        throw std::runtime_error("cannot load the shipped font");
    }
    sf::Text sample(text, font, size);
    const sf::FloatRect bounds = sample.getLocalBounds();
    sf::RenderTexture canvas;
    if (!canvas.create(static_cast<unsigned>(bounds.left + bounds.width) + 2,
                       static_cast<unsigned>(bounds.top + bounds.height) + 2)) {
        throw std::runtime_error("cannot render text");
    }
    canvas.clear(sf::Color::Transparent);
    canvas.draw(sample);
    canvas.display();
    const sf::Image glyphs = canvas.getTexture().copyToImage();
    int covered = 0;
    int matching = 0;
    for (unsigned gx = 0; gx < glyphs.getSize().x; ++gx) {
        for (unsigned gy = 0; gy < glyphs.getSize().y; ++gy) {
            if (glyphs.getPixel(gx, gy).a != 255) {
                continue;
            }
            ++covered;
            const unsigned sx = static_cast<unsigned>(x) + gx;
            const unsigned sy = static_cast<unsigned>(y) + gy;
            if (sx < shot.getSize().x && sy < shot.getSize().y && shot.getPixel(sx, sy) == colour) {
                ++matching;
            }
        }
    }
    return covered == 0 ? 0.0 : static_cast<double>(matching) / covered;
}

/// Whether one of the console's first `lines` log lines (at (5, 5 + 23 k), green) shows `text` whole.
inline bool consoleShows(const sf::Image& shot, const std::string& text, int lines = 11) {
    for (int k = 0; k < lines; ++k) {
        if (textShown(shot, text, 5, 5 + 23 * k, sf::Color::Green) > 0.97) {
            return true;
        }
    }
    return false;
}
