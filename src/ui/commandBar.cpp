#include "ui/commandBar.hpp"

#include "app/gameInit.hpp"
#include "app/settings.hpp"
#include "view/gameView.hpp"
#include "world/terrainImage.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

namespace {
constexpr int PANEL_SIZE = 400;
constexpr float OUTLINE = 3.0f;
} // namespace

commandBar::commandBar(gameView* owner) : panelText("", arial, 20), controller(owner->controller) {
    const float panelLeft = static_cast<float>(width - PANEL_SIZE);
    const float panelTop = static_cast<float>(height - barHeight - PANEL_SIZE) - OUTLINE;
    panel.setSize(sf::Vector2f(PANEL_SIZE, PANEL_SIZE));
    panel.setPosition(panelLeft, panelTop);
    panelText.setPosition(panelLeft, panelTop);
    panelText.setFillColor(sf::Color::White);
    bar.setSize(sf::Vector2f(static_cast<float>(width), static_cast<float>(barHeight)));
    bar.setPosition(0, static_cast<float>(height - barHeight));
    for (sf::RectangleShape* shape : {&panel, &bar}) {
        shape->setFillColor(GREY_WITH_ALPHA);
        shape->setOutlineColor(sf::Color::Black);
        shape->setOutlineThickness(OUTLINE);
    }
}

void commandBar::display() {
    if (!visible) {
        return;
    }
    App->draw(bar);
    App->draw(panel);
    App->draw(panelText);
}
