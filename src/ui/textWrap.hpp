#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace sf {
class Font;
}

/// How far a character moves the pen when drawn after `previous` (0 at the start of a row): its advance and
/// the kerning between the two [Units: window units].
using glyphWidth = std::function<float(char32_t previous, char32_t current)>;

/// The widths an sf::Text of `font` at `characterSize` lays its characters out with. The font must outlive
/// the result. Needs a display: measuring a glyph uploads it to the graphics card.
glyphWidth fontGlyphWidth(const sf::Font& font, unsigned characterSize);

/// Width of UTF-8 `text` on one row [Units: window units].
float textWidth(const std::string& text, const glyphWidth& measure);

/// Where the rows of UTF-8 `line` (no line break in it) begin, in bytes, when it is wrapped to `width`: a row
/// ends after its last blank that fits, and a word wider than a whole row breaks at the last character that
/// fits. Blanks at a row's end may reach past the width. The first row begins at 0; an empty line is one row.
std::vector<std::size_t> wrapRows(const std::string& line, float width, const glyphWidth& measure);
