#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <deque>
#include <string>
#include <vector>

namespace sf {
class Font;
class RenderTarget;
} // namespace sf

/// The short notices near the top of the window that make the player's alerts stand out from the log: the
/// newest few, each for a few seconds. They lie in the band between the console and the texts and overview
/// map at the top right, above the info box's top, so they hide no button; they are no panel and take no
/// click. Main thread only.
class alertNotices {
  public:
    static constexpr float SHOWN_SECONDS = 6.0f;
    static constexpr std::size_t MOST_SHOWN = 3;
    /// Events that concern the player, in the console, the notices, the status line and the end of the
    /// game's panel: a colour that stands out from the log's green.
    static inline const sf::Color COLOUR{255, 170, 40};

    /// A notice of `text`, added at `nowSeconds` (any clock that only grows).
    void add(std::string text, float nowSeconds);
    /// The texts shown at `nowSeconds`, newest first: those added within SHOWN_SECONDS, at most MOST_SHOWN.
    std::vector<std::string> shown(float nowSeconds) const;

    /// A notice as drawn: its box and its text, wrapped [Units: window units].
    struct placedNotice {
        sf::FloatRect box;
        std::string lines;
    };
    /// Where the notices shown at `nowSeconds` go in a window `windowWidth` units wide: the newest at the
    /// top, each wrapped at its blanks to the band's width in at most two lines (cut with "..." beyond),
    /// those that would reach below the band left out. Needs the font's metrics, not the window.
    std::vector<placedNotice> layout(const sf::Font& font, float nowSeconds, int windowWidth) const;
    void draw(sf::RenderTarget& target, const sf::Font& font, float nowSeconds, int windowWidth) const;

  private:
    struct notice {
        std::string text;
        float added;
    };
    std::deque<notice> recent;
};
