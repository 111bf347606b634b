#include "ui/tooltipView.hpp"

#include "app/gameInit.hpp"
#include "view/gameView.hpp"
#include "world/terrainImage.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

tooltipView::tooltipView() : box({500, 100}), text("", arial, 20) {
    box.setFillColor(GREY_WITH_ALPHA);
    box.setOutlineColor(sf::Color::Black);
    box.setOutlineThickness(3);
    text.setFillColor(sf::Color::White);
}

void tooltipView::display() {
    if (visible) {
        App->draw(box);
        App->draw(text);
    }
}
