#include "ui/tooltipView.hpp"

#include "app/gameInit.hpp"
#include "app/settings.hpp"
#include "ui/panelTexts.hpp"
#include "view/gameView.hpp"
#include "world/terrainImage.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

namespace {
/// Between the mouse and the card's left edge [Units: window pixels].
constexpr float MOUSE_GAP = 15.0f;
} // namespace

tooltipView::tooltipView() : box({500, 100}), text("", arial, 20) {
    box.setFillColor(GREY_WITH_ALPHA);
    box.setOutlineColor(sf::Color::Black);
    box.setOutlineThickness(3);
    text.setFillColor(sf::Color::White);
}

void tooltipView::update(const placeableObject* object, float mouseX, float mouseY) {
    visible = true;
    text.setString(tooltipText(object));
    const sf::Vector2f corner((mouseX + MOUSE_GAP) / scale, mouseY / scale);
    box.setPosition(corner);
    text.setPosition(corner);
}

void tooltipView::display() {
    if (visible) {
        App->draw(box);
        App->draw(text);
    }
}
