#include "ui/textWrap.hpp"

#include "app/utf8Text.hpp"

#include <SFML/Graphics/Font.hpp>

glyphWidth fontGlyphWidth(const sf::Font& font, unsigned characterSize) {
    return [&font, characterSize](char32_t previous, char32_t current) {
        return font.getKerning(previous, current, characterSize) +
               font.getGlyph(current, characterSize, false).advance;
    };
}

float textWidth(const std::string& text, const glyphWidth& measure) {
    float across = 0.0f;
    char32_t previous = 0;
    for (std::size_t at = 0; at < text.size();) {
        const char32_t current = nextCodePoint(text, at);
        across += measure(previous, current);
        previous = current;
    }
    return across;
}

std::vector<std::size_t> wrapRows(const std::string& line, float width, const glyphWidth& measure) {
    constexpr std::size_t NONE = std::string::npos;
    std::vector<std::size_t> rowStarts{0};
    std::size_t afterBlank = NONE; // where the row may end: just after its last blank
    float across = 0.0f;
    char32_t previous = 0;
    for (std::size_t at = 0; at < line.size();) {
        const std::size_t from = at;
        const char32_t current = nextCodePoint(line, at);
        const float step = measure(previous, current);
        if (current != ' ' && from > rowStarts.back() && across + step > width) {
            // The row is full: the word it ends in moves to the next row, or breaks here when it fills a
            // whole row. That row is then measured from its start.
            at = afterBlank != NONE ? afterBlank : from;
            rowStarts.push_back(at);
            afterBlank = NONE;
            across = 0.0f;
            previous = 0;
            continue;
        }
        across += step;
        previous = current;
        if (current == ' ') {
            afterBlank = at;
        }
    }
    return rowStarts;
}
