#include "view/mapView.hpp"

#include "app/gameInit.hpp"
#include "app/settings.hpp"
#include "app/utilities.hpp"
#include "ui/gameController.hpp"
#include "view/gameView.hpp"
#include "view/mapMarks.hpp"
#include "world/worldMap.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <algorithm>

namespace {
/// A mark's side on the map across the whole window; smaller maps have smaller marks, down to the least
/// [Units: window units].
constexpr float MARK_SIDE = 8.0f;
constexpr float SMALLEST_MARK = 5.0f;
} // namespace

mapView::mapView(gameView* owner, gameController* gameControl) : parent(owner), controller(gameControl) {}

void mapView::zoomIn() {
    parent->switchToGridView();
}

void mapView::moveRight() {
    if (!parent->panStepped[panRight]) {
        parent->panStepped[panRight] = true;
        parent->panMove(10, 0, parent->cellPixels);
    }
}

void mapView::moveLeft() {
    if (!parent->panStepped[panLeft]) {
        parent->panStepped[panLeft] = true;
        parent->panMove(-10, 0, parent->cellPixels);
    }
}

void mapView::moveDown() {
    if (!parent->panStepped[panDown] && parent->gridY < worldHeight / 10 - 1) {
        parent->panStepped[panDown] = true;
        parent->panMove(0, 10, parent->cellPixels);
    }
}

void mapView::moveUp() {
    if (!parent->panStepped[panUp] && parent->gridY > 0) {
        parent->panStepped[panUp] = true;
        parent->panMove(0, -10, parent->cellPixels);
    }
}

void mapView::updateMapView() {
    for (const std::vector<sf::Sprite>* copy : {&parent->worldSprite, &parent->worldSpriteWrap}) {
        for (const sf::Sprite& strip : *copy) {
            App->draw(strip);
        }
    }
    for (const sf::Sprite* cap :
         {&parent->northSprite, &parent->northSpriteWrap, &parent->southSprite, &parent->southSpriteWrap}) {
        App->draw(*cap);
    }
}

void mapView::drawWorldMap(float top, float mapWidth, float mapHeight) {
    const float windowWidth = static_cast<float>(width);
    const sf::FloatRect viewport(1 - mapWidth / windowWidth, top, mapWidth / windowWidth,
                                 mapHeight / static_cast<float>(height));
    parent->mapCamera.setViewport(viewport);
    App->setView(parent->mapCamera);
    updateMapView();
    // The marks keep their size in window units, whatever the map's: a view of the area itself, which also
    // clips those at its edges.
    const sf::FloatRect area(viewport.left * windowWidth, viewport.top * static_cast<float>(height), mapWidth,
                             mapHeight);
    sf::View markView(area);
    markView.setViewport(viewport);
    App->setView(markView);
    const placeableObject* selected = controller != nullptr ? controller->selectedObject : nullptr;
    drawMapMarks(*App,
                 mapMarks(factions, parent->colours, selected, parent->mapCamera, area, numHorizontalGrids()),
                 std::max(SMALLEST_MARK, MARK_SIDE * mapWidth / windowWidth));
    // The locator is kept in window pixels; the same viewport scales it with the map.
    sf::View locatorView(sf::FloatRect(0, 0, windowWidth, static_cast<float>(height)));
    locatorView.setViewport(viewport);
    App->setView(locatorView);
    App->draw(parent->gridLocator);
    App->setView(App->getDefaultView());
}

void mapView::displayWorldMap() {
    App->clear(sf::Color::Black);
    drawWorldMap(0, static_cast<float>(width), static_cast<float>(height));
    parent->coordText =
        sf::Text("X: " + intToString(parent->gridX) + "\nY: " + intToString(parent->gridY), arial, 50);
    parent->coordText.setFillColor(sf::Color::Green);
    controller->checkForInput();
}
