#include "ui/alertNotices.hpp"

#include "app/utf8Text.hpp"
#include "world/terrainImage.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Text.hpp>

namespace {
constexpr unsigned CHARACTER_SIZE = 18;
constexpr std::size_t MOST_LINES = 2;
/// The band: right of the console (700 wide), left of the grid views' overview map (the window's right
/// quarter) and the coordinates text, above the info box (whose top is at 100) [Units: window units].
constexpr float BAND_LEFT = 715.0f;
constexpr float BAND_TOP = 6.0f;
constexpr float BAND_BOTTOM = 96.0f;
constexpr float GAP_BEFORE_OVERVIEW = 10.0f;
constexpr float PADDING = 4.0f;
constexpr float OUTLINE = 2.0f;

float textWidth(const std::string& text, const sf::Font& font) {
    return sf::Text(screenText(text), font, CHARACTER_SIZE).getLocalBounds().width;
}

/// `text` in lines no wider than `width`, broken at blanks; what does not fit in MOST_LINES is cut.
std::string wrapped(const std::string& text, const sf::Font& font, float width) {
    std::vector<std::string> lines(1);
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        const std::string word = text.substr(at, end - at);
        const std::string longer = lines.back().empty() ? word : lines.back() + " " + word;
        if (lines.back().empty() || textWidth(longer, font) <= width) {
            lines.back() = longer;
        } else if (lines.size() < MOST_LINES) {
            lines.push_back(word);
        } else {
            while (!lines.back().empty() && textWidth(lines.back() + "...", font) > width) {
                removeLastCodePoint(lines.back());
            }
            lines.back() += "...";
            break;
        }
        at = end + 1;
    }
    std::string joined;
    for (const std::string& line : lines) {
        joined += (joined.empty() ? "" : "\n") + line;
    }
    return joined;
}
} // namespace

void alertNotices::add(std::string text, float nowSeconds) {
    recent.push_front({std::move(text), nowSeconds});
    if (recent.size() > MOST_SHOWN) {
        recent.pop_back();
    }
}

std::vector<std::string> alertNotices::shown(float nowSeconds) const {
    std::vector<std::string> texts;
    for (const notice& entry : recent) {
        if (nowSeconds - entry.added < SHOWN_SECONDS) {
            texts.push_back(entry.text);
        }
    }
    return texts;
}

std::vector<alertNotices::placedNotice> alertNotices::layout(const sf::Font& font, float nowSeconds,
                                                             int windowWidth) const {
    const float right = static_cast<float>(windowWidth - windowWidth / 4) - GAP_BEFORE_OVERVIEW;
    const float textRoom = right - BAND_LEFT - 2 * PADDING;
    std::vector<placedNotice> placed;
    float top = BAND_TOP;
    for (const std::string& text : shown(nowSeconds)) {
        const std::string lines = wrapped(text, font, textRoom);
        const sf::FloatRect bounds = sf::Text(screenText(lines), font, CHARACTER_SIZE).getLocalBounds();
        const float height = bounds.top + bounds.height + 2 * PADDING;
        if (top + height > BAND_BOTTOM) {
            break;
        }
        placed.push_back({{BAND_LEFT, top, bounds.left + bounds.width + 2 * PADDING, height}, lines});
        top += height + 2 * OUTLINE + PADDING;
    }
    return placed;
}

void alertNotices::draw(sf::RenderTarget& target, const sf::Font& font, float nowSeconds,
                        int windowWidth) const {
    for (const placedNotice& notice : layout(font, nowSeconds, windowWidth)) {
        sf::RectangleShape box({notice.box.width, notice.box.height});
        box.setPosition(notice.box.left, notice.box.top);
        box.setFillColor(GREY_WITH_ALPHA);
        box.setOutlineColor(sf::Color::Black);
        box.setOutlineThickness(OUTLINE);
        sf::Text text(screenText(notice.lines), font, CHARACTER_SIZE);
        text.setPosition(notice.box.left + PADDING, notice.box.top + PADDING);
        text.setFillColor(COLOUR);
        target.draw(box);
        target.draw(text);
    }
}
