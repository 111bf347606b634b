#include "ui/infoBox.hpp"

#include "app/gameInit.hpp"
#include "app/settings.hpp"
#include "view/gameView.hpp"
#include "world/terrainImage.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

namespace {
constexpr float BOX_TOP = 100.0f;
} // namespace

infoBox::infoBox(gameView* owner) : controller(owner->controller) {
    box.setSize(sf::Vector2f(static_cast<float>(boxWidth), static_cast<float>(boxHeight)));
    box.setPosition(static_cast<float>(width / 2 - boxWidth / 2), BOX_TOP);
    box.setFillColor(GREY_WITH_ALPHA);
    box.setOutlineColor(sf::Color::Black);
    box.setOutlineThickness(3);
}

void infoBox::display() {
    if (visible) {
        App->draw(box);
    }
}
