#pragma once

#include <SFML/System/String.hpp>
#include <cstddef>
#include <string>

// Text is kept in UTF-8 everywhere: names, the console's log, the typed line and its history. These read
// and write it by code point, and turn it into what an sf::Text draws.

/// The code point that starts at byte `at` of `text`, with `at` moved past it. A byte that starts no valid
/// sequence (a stray or missing continuation byte, an overlong form, a surrogate) reads as U+FFFD alone, so
/// that the rest of the text still reads right.
char32_t nextCodePoint(const std::string& text, std::size_t& at);

/// Removes the last code point, all its bytes; an empty text stays empty.
void removeLastCodePoint(std::string& text);

/// `utf8` for an sf::Text, which would otherwise read it in the locale's 8-bit code page: every code point
/// is drawn with the font's glyph for it (a box where the font has none).
sf::String screenText(const std::string& utf8);
