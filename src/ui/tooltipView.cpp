#include "ui/tooltipView.hpp"

#include "app/gameInit.hpp"
#include "app/settings.hpp"
#include "app/utf8Text.hpp"
#include "ui/panelTexts.hpp"
#include "view/gameView.hpp"
#include "world/terrainImage.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <algorithm>

namespace {
/// Between the mouse and the card's left edge [Units: window pixels].
constexpr float MOUSE_GAP = 15.0f;
/// The card's least size [Units: window units].
constexpr float CARD_WIDTH = 500.0f;
constexpr float CARD_HEIGHT = 100.0f;
constexpr float OUTLINE = 3.0f;
/// Room between the lines and the card's right and bottom edges.
constexpr float TEXT_MARGIN = 8.0f;
} // namespace

tooltipView::tooltipView() : box({CARD_WIDTH, CARD_HEIGHT}), text("", arial, 20) {
    // The panels' grey, but opaque: the card lies over them, and their text must not show through it.
    box.setFillColor(sf::Color(GREY_WITH_ALPHA.r, GREY_WITH_ALPHA.g, GREY_WITH_ALPHA.b));
    box.setOutlineColor(sf::Color::Black);
    box.setOutlineThickness(OUTLINE);
    text.setFillColor(sf::Color::White);
}

void tooltipView::update(const placeableObject* object, float mouseX, float mouseY) {
    visible = true;
    text.setString(screenText(tooltipText(object)));
    mouse = sf::Vector2f(mouseX, mouseY);
    const sf::Vector2f corner((mouseX + MOUSE_GAP) / scale, mouseY / scale);
    box.setPosition(corner);
    text.setPosition(corner);
}

void tooltipView::display() {
    if (!visible) {
        return;
    }
    // The card grows to hold its lines, and stays inside the window: left of the mouse when there is no
    // room on its right, and up from the window's bottom edge.
    const sf::FloatRect lines = text.getLocalBounds();
    const sf::Vector2f size(std::max(CARD_WIDTH, lines.left + lines.width + TEXT_MARGIN),
                            std::max(CARD_HEIGHT, lines.top + lines.height + TEXT_MARGIN));
    box.setSize(size);
    sf::Vector2f corner = box.getPosition();
    const float windowWidth = static_cast<float>(width);
    const float windowHeight = static_cast<float>(height);
    if (corner.x + size.x + OUTLINE > windowWidth) {
        corner.x = std::max(OUTLINE, (mouse.x - MOUSE_GAP) / scale - size.x - OUTLINE);
    }
    if (corner.y + size.y + OUTLINE > windowHeight) {
        corner.y = std::max(OUTLINE, windowHeight - size.y - OUTLINE);
    }
    box.setPosition(corner);
    text.setPosition(corner);
    App->draw(box);
    App->draw(text);
}
