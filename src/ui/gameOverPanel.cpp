#include "ui/gameOverPanel.hpp"

#include "app/gameInit.hpp"
#include "app/settings.hpp"
#include "app/utf8Text.hpp"
#include "app/utilities.hpp"
#include "sim/Faction.hpp"
#include "sim/eventReports.hpp"
#include "sim/gameOutcome.hpp"
#include "ui/alertNotices.hpp"
#include "view/gameView.hpp"
#include "world/terrainImage.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <algorithm>

namespace {
constexpr unsigned TITLE_SIZE = 40;
constexpr unsigned TEXT_SIZE = 20;
constexpr float MARGIN = 20.0f;
constexpr float OUTLINE = 3.0f;
/// The panel's top as a share of the window's height: over the map, clear of the bar at the bottom.
constexpr float TOP_SHARE = 0.3f;
constexpr float ESTIMATED_TEXT_WIDTH = 800.0f;
} // namespace

std::string gameOverText(const gameOutcome& outcome, const std::vector<std::unique_ptr<Faction>>& factions,
                         const Faction* human) {
    const std::string after = ", after " + daysText(outcome.daysPlayed()) + ".\n";
    std::string text = outcome.result == gameResult::victory
                           ? "No other faction has a city or a unit left" + after
                           : "You have no city and no unit left" + after;
    if (const Faction* largest = largestFaction(factions)) {
        const factionStrength strength = strengthOf(*largest);
        text += "The largest faction now: " + (largest == human ? std::string("yours") : largest->name) +
                " (" + countedText(strength.cities, "city", "cities") + ", " +
                countedText(strength.units, "unit", "units") + ", " +
                countedText(strength.people, "person", "people") + ").\n";
    } else {
        text += "No faction has anything left in play.\n";
    }
    return text + "The game goes on for watching: click this panel to close it.\n"
                  "To start a new game, press Enter and type gen.";
}

gameOverPanel::gameOverPanel() : title("", arial, TITLE_SIZE), text("", arial, TEXT_SIZE) {
    box.setFillColor(GREY_WITH_ALPHA);
    box.setOutlineColor(sf::Color::Black);
    box.setOutlineThickness(OUTLINE);
    title.setFillColor(alertNotices::COLOUR);
    text.setFillColor(sf::Color::White);
}

void gameOverPanel::update(const gameOutcome& outcome, const std::vector<std::unique_ptr<Faction>>& factions,
                           const Faction* human) {
    ended = outcome.ended();
    if (!shown()) {
        return;
    }
    title.setString(outcome.result == gameResult::victory ? "Victory" : "Defeat");
    const sf::String now = screenText(gameOverText(outcome, factions, human));
    if (text.getString() != now) {
        text.setString(now);
        // Until it is drawn, when its lines can be measured, the panel is as wide as most lines need.
        layOut(ESTIMATED_TEXT_WIDTH);
    }
}

void gameOverPanel::layOut(float textWidth) {
    const sf::String lines = text.getString();
    const float titleHeight = arial.getLineSpacing(TITLE_SIZE) + MARGIN;
    const float textHeight = arial.getLineSpacing(TEXT_SIZE) *
                             static_cast<float>(std::count(lines.begin(), lines.end(), '\n') + 1);
    const sf::Vector2f size(textWidth + 2 * MARGIN, titleHeight + textHeight + 2 * MARGIN);
    // Centred across the window, over the map and clear of the bar at the bottom.
    const sf::Vector2f corner((static_cast<float>(width) - size.x) / 2,
                              static_cast<float>(height) * TOP_SHARE);
    box.setSize(size);
    box.setPosition(corner);
    title.setPosition(corner.x + MARGIN, corner.y + MARGIN);
    text.setPosition(corner.x + MARGIN, corner.y + MARGIN + titleHeight);
}

void gameOverPanel::display() {
    if (!shown()) {
        return;
    }
    // Text metrics need the graphics context, which drawing has.
    const sf::FloatRect bounds = text.getLocalBounds();
    const float across = std::max(bounds.left + bounds.width, title.getLocalBounds().width);
    if (across + 2 * MARGIN != box.getSize().x) {
        layOut(across);
    }
    App->draw(box);
    App->draw(title);
    App->draw(text);
}

sf::FloatRect gameOverPanel::area() const {
    return shown() ? box.getGlobalBounds() : sf::FloatRect();
}
