#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Text.hpp>
#include <cstdlib>
#include <string>

/// Share of the pixels that `text` covers wholly, drawn as a scaled window draws it (shipped font, size 20,
/// at (x, y) of a 1920 × 1080 view shown at `shot`'s size), that show `colour` give or take 60 levels in
/// `shot`: near 1 where the window shows that text over a dark panel, low elsewhere. Needs a display.
inline double scaledTextShown(const sf::Image& shot, const std::string& text, float x, float y,
                              sf::Color colour = sf::Color::White) {
    // A font or canvas that fails leaves nothing drawn, which shows as 0.
    sf::Font font;
    font.loadFromFile(std::string(KESTROVA_SOURCE_DIR) + "/assets/arial.ttf");
    sf::RenderTexture canvas;
    canvas.create(shot.getSize().x, shot.getSize().y);
    canvas.setView(sf::View(sf::FloatRect(0, 0, 1920, 1080)));
    canvas.clear(sf::Color::Transparent);
    sf::Text sample(text, font, 20);
    sample.setPosition(x, y);
    canvas.draw(sample);
    canvas.display();
    const sf::Image glyphs = canvas.getTexture().copyToImage();
    const sf::Vector2u size = glyphs.getSize();
    int covered = 0;
    int matching = 0;
    for (unsigned pixel = 0; pixel < size.x * size.y; ++pixel) {
        const sf::Color seen = shot.getPixel(pixel % size.x, pixel / size.x);
        if (glyphs.getPixel(pixel % size.x, pixel / size.x).a == 255 && ++covered > 0) {
            matching += std::abs(seen.r - colour.r) <= 60 && std::abs(seen.g - colour.g) <= 60 &&
                        std::abs(seen.b - colour.b) <= 60;
        }
    }
    return covered == 0 ? 0.0 : static_cast<double>(matching) / covered;
}
