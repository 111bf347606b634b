#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Text.hpp>
#include <cstdlib>
#include <stdexcept>
#include <string>

/// Share of the pixels that `text` covers wholly when drawn as a scaled window draws it (the shipped font at
/// size 20, at point (x, y) of a 1920 × 1080 view shown in `shot`'s size) that show `colour` in `shot`, give
/// or take 60 levels: near 1 where the window shows that text in that colour over a dark panel, low where it
/// shows other text or none. Needs a display.
inline double scaledTextShown(const sf::Image& shot, const std::string& text, float x, float y,
                              sf::Color colour = sf::Color::White) {
    sf::Font font;
    if (!font.loadFromFile(std::string(KESTROVA_SOURCE_DIR) + "/assets/arial.ttf")) {
        throw std::runtime_error("cannot load the shipped font");
    }
    sf::RenderTexture canvas;
    if (!canvas.create(shot.getSize().x, shot.getSize().y)) {
        throw std::runtime_error("cannot render text");
    }
    canvas.setView(sf::View(sf::FloatRect(0, 0, 1920, 1080)));
    canvas.clear(sf::Color::Transparent);
    sf::Text sample(text, font, 20);
    sample.setPosition(x, y);
    canvas.draw(sample);
    canvas.display();
    const sf::Image glyphs = canvas.getTexture().copyToImage();
    int covered = 0;
    int matching = 0;
    for (unsigned gx = 0; gx < glyphs.getSize().x; ++gx) {
        for (unsigned gy = 0; gy < glyphs.getSize().y; ++gy) {
            if (glyphs.getPixel(gx, gy).a == 255) {
                const sf::Color seen = shot.getPixel(gx, gy);
                ++covered;
                matching += std::abs(seen.r - colour.r) <= 60 && std::abs(seen.g - colour.g) <= 60 &&
                            std::abs(seen.b - colour.b) <= 60;
            }
        }
    }
    return covered == 0 ? 0.0 : static_cast<double>(matching) / covered;
}
