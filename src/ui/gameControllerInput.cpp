#include "app/gameInit.hpp"
#include "ui/consoleView.hpp"
#include "ui/gameController.hpp"
#include "view/gameView.hpp"
#include "view/gridView.hpp"
#include "view/mapView.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Event.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

namespace {
constexpr double DEBOUNCE_SECONDS = 0.3;
} // namespace

void gameController::checkForInput() {
    checkForKeypress();
    pollEvents();
}

void gameController::checkForKeypress() {
    if (view->console->isActive()) {
        return;
    }
    const auto debounced = [this](sf::Keyboard::Key key) {
        if (!sf::Keyboard::isKeyPressed(key) ||
            static_cast<double>(Clock.getElapsedTime().asSeconds()) - static_cast<double>(lastInputTime) <=
                DEBOUNCE_SECONDS) {
            return false;
        }
        lastInputTime = Clock.getElapsedTime().asSeconds();
        return true;
    };
    if (debounced(sf::Keyboard::Return)) {
        view->console->setActive();
        view->console->inputShown = true;
    }
    if (debounced(sf::Keyboard::Dash) && display != 0) {
        view->gridViewer->zoomOut();
    }
    if (debounced(sf::Keyboard::Equal)) {
        if (display != 0) {
            view->gridViewer->zoomIn();
        } else {
            view->mapViewer->zoomIn();
        }
    }

    struct arrow {
        sf::Keyboard::Key key;
        panDirection direction;
        void (gridView::*gridMove)();
        void (mapView::*mapMove)();
    };
    static const arrow arrows[] = {
        {sf::Keyboard::Right, panRight, &gridView::moveRight, &mapView::moveRight},
        {sf::Keyboard::Left, panLeft, &gridView::moveLeft, &mapView::moveLeft},
        {sf::Keyboard::Down, panDown, &gridView::moveDown, &mapView::moveDown},
        {sf::Keyboard::Up, panUp, &gridView::moveUp, &mapView::moveUp},
    };
    for (const arrow& key : arrows) {
        if (!sf::Keyboard::isKeyPressed(key.key)) {
            view->panStepped[key.direction] = true;
            continue;
        }
        view->resetPan();
        if (display != 0) {
            (view->gridViewer.get()->*key.gridMove)();
        } else {
            (view->mapViewer.get()->*key.mapMove)();
        }
    }
}

void gameController::pollEvents() {
    sf::Event event;
    while (App->pollEvent(event)) {
        if (event.type == sf::Event::Closed ||
            (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::Escape)) {
            App->close();
            return;
        }
        if (event.type == sf::Event::MouseMoved) {
            handleMouseMove();
        }
    }
}

void gameController::handleMouseMove() {
    view->tooltip.hide();
    const sf::Vector2i position = sf::Mouse::getPosition(*App);
    view->mouseX = position.x;
    view->mouseY = position.y;
}
