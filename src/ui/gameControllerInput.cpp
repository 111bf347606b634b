#include "app/consoleLog.hpp"
#include "app/gameInit.hpp"
#include "app/settings.hpp"
#include "sim/Faction.hpp"
#include "sim/city.hpp"
#include "sim/placeableObject.hpp"
#include "sim/player.hpp"
#include "ui/button.hpp"
#include "ui/chartPanel.hpp"
#include "ui/commandBar.hpp"
#include "ui/consoleCommands.hpp"
#include "ui/consoleView.hpp"
#include "ui/gameController.hpp"
#include "ui/infoBox.hpp"
#include "view/gameView.hpp"
#include "view/gridGeometry.hpp"
#include "view/gridView.hpp"
#include "view/mapView.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Event.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>
#include <algorithm>
#include <iostream>

namespace {
constexpr double DEBOUNCE_SECONDS = 0.3;
/// Typed text right after the console opened or ran a line is the Enter key's own carriage return.
constexpr double TEXT_GATE_SECONDS = 0.1;

double secondsSince(float then) {
    return static_cast<double>(Clock.getElapsedTime().asSeconds()) - static_cast<double>(then);
}

/// How near the cursor an object must be to be under it: as the grid views draw it, nothing on the world
/// map [Units: grid units].
float cursorTolerance() {
    return display == 1 || display == 2 ? objectTolerance(display - 1) : 0.0f;
}
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
        if (!sf::Keyboard::isKeyPressed(key) || secondsSince(lastInputTime) <= DEBOUNCE_SECONDS) {
            return false;
        }
        lastInputTime = Clock.getElapsedTime().asSeconds();
        return true;
    };
    if (debounced(sf::Keyboard::Return)) {
        view->console->setActive();
        view->console->inputShown = true;
    }
    // The numpad's − and + zoom as the main keys do.
    if ((debounced(sf::Keyboard::Dash) || debounced(sf::Keyboard::Subtract)) && display != 0) {
        view->gridViewer->zoomOut();
    }
    if (debounced(sf::Keyboard::Equal) || debounced(sf::Keyboard::Add)) {
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
    consoleView& console = *view->console;
    sf::Event event;
    while (App->isOpen() && App->pollEvent(event)) {
        switch (event.type) {
        case sf::Event::Closed:
            App->close();
            return;
        case sf::Event::KeyPressed:
            if (event.key.code == sf::Keyboard::Escape) {
                App->close();
                return;
            }
            if (console.isActive() &&
                (event.key.code == sf::Keyboard::Up || event.key.code == sf::Keyboard::Down)) {
                console.recallHistory(event.key.code == sf::Keyboard::Up ? -1 : 1);
            } else if (!console.isActive()) {
                pressKey(event.key.code);
            }
            break;
        case sf::Event::TextEntered:
            if (console.isActive() && secondsSince(lastInputTime) > TEXT_GATE_SECONDS) {
                // A command may close the window: the loop's test then ends the polling.
                console.handleConsoleInput(event.text.unicode);
            }
            break;
        case sf::Event::Resized:
            followWindowResize({event.size.width, event.size.height}, console, *console.window);
            break;
        case sf::Event::MouseMoved:
            handleMouseMove();
            break;
        case sf::Event::MouseWheelScrolled:
            handleMouseWheel(event);
            break;
        case sf::Event::MouseButtonPressed:
            handleMousePress(event);
            break;
        default:
            break;
        }
    }
}

void gameController::pressKey(sf::Keyboard::Key key) {
    switch (key) {
    case sf::Keyboard::Home:
        goHome();
        break;
    case sf::Keyboard::Space:
        togglePause();
        break;
    case sf::Keyboard::Comma:
    case sf::Keyboard::Period:
        if (key == sf::Keyboard::Comma ? speed.slower() : speed.faster()) {
            logToConsole("Game speed: " + gameSpeed::nameOf(speed.factor()) + ".");
        }
        break;
    default:
        handleChartKey(key);
        break;
    }
}

void gameController::togglePause() {
    if (gameClock.isPaused()) {
        gameClock.resume();
        logToConsole("Game resumed.");
    } else {
        gameClock.pause();
        logToConsole("Game paused.");
    }
}

void gameController::handleChartKey(sf::Keyboard::Key key) {
    if (view == nullptr || !view->charts) {
        return;
    }
    chartPanel& charts = *view->charts;
    if (key == sf::Keyboard::C) {
        charts.toggle();
        return;
    }
    // 1 to 7, on the main keys or the numpad, choose the statistic charted.
    for (const sf::Keyboard::Key first : {sf::Keyboard::Num1, sf::Keyboard::Numpad1}) {
        const int chosen = key - first;
        if (charts.visible && chosen >= 0 && chosen < static_cast<int>(STATISTIC_COUNT)) {
            charts.show(static_cast<statistic>(chosen));
        }
    }
}

void gameController::handleMouseMove() {
    const sf::Vector2i position = sf::Mouse::getPosition(*App);
    mouseMovedTo(position.x, position.y);
}

void gameController::mouseMovedTo(int x, int y) {
    view->tooltip.hide();
    view->mouseX = x;
    view->mouseY = y;
    // The cursor follows the event, so that a click in the same frame acts where the mouse now is.
    view->gridViewer->updateCursor();
    const sf::Vector2f units(static_cast<float>(x) / scale, static_cast<float>(y) / scale);
    if ((display != 1 && display != 2) ||
        panelAt(view->shownPanelAreas(), units.x, units.y) == screenPanel::chart) {
        return;
    }
    const std::vector<placeableObject*> under = objectsUnderCursor();
    if (!under.empty()) {
        view->tooltip.update(under.back(), static_cast<float>(x), static_cast<float>(y));
    }
}

void gameController::handleMouseWheel(const sf::Event& event) {
    if (event.mouseWheelScroll.wheel != sf::Mouse::VerticalWheel || event.mouseWheelScroll.delta == 0) {
        return;
    }
    const bool towardsTop = event.mouseWheelScroll.delta > 0;
    const float x = static_cast<float>(view->mouseX);
    const float y = static_cast<float>(view->mouseY);
    if (panelAt(view->shownPanelAreas(), x / scale, y / scale) == screenPanel::chart) {
        return;
    }
    consoleView& console = *view->console;
    if (x < static_cast<float>(console.consoleWidth) * scale &&
        y < static_cast<float>(console.consoleHeight) * scale) {
        towardsTop ? console.scrollDown() : console.scrollUp();
        return;
    }
    infoBox& details = *view->infoPanel;
    const sf::FloatRect area = details.getCoordinatesRect();
    const sf::FloatRect scaled(area.left * scale, area.top * scale, area.width * scale, area.height * scale);
    if (details.visible && scaled.contains(x, y)) {
        towardsTop ? details.scrollDown() : details.scrollUp();
    }
}

void gameController::handleMousePress(const sf::Event& event) {
    const Faction* humanFaction = humanPlayer ? humanPlayer->faction : nullptr;
    // A click on a panel acts on the panel alone: its buttons, or nothing; never on the map behind it.
    const float unitsX = static_cast<float>(view->mouseX) / scale;
    const float unitsY = static_cast<float>(view->mouseY) / scale;
    const screenPanel panel = panelAt(view->shownPanelAreas(), unitsX, unitsY);
    // The chart lies over everything, buttons of other panels included, in every view mode.
    if (panel == screenPanel::chart) {
        if (event.mouseButton.button == sf::Mouse::Left) {
            view->charts->click(unitsX, unitsY);
        }
        return;
    }
    const bool onPanel = panel != screenPanel::none;
    if (event.mouseButton.button == sf::Mouse::Right) {
        if (onPanel) {
            return;
        }
        for (placeableObject* object : objectsUnderCursor()) {
            if (object->faction != humanFaction) {
                orderAttack(object);
                return;
            }
        }
        orderMove(view->gridViewer->cursorX, view->gridViewer->cursorY);
        return;
    }
    if (event.mouseButton.button != sf::Mouse::Left || (display != 1 && display != 2)) {
        return;
    }
    for (button* candidate : buttons) {
        if (candidate->isHit(view->mouseX, view->mouseY, scale)) {
            std::cout << "Button clicked!" << std::endl;
            // The action may change the registry; nothing here reads it again.
            candidate->press();
            return;
        }
    }
    if (onPanel) {
        return;
    }
    if (context == movePending) {
        orderMove(view->gridViewer->cursorX, view->gridViewer->cursorY);
        return;
    }
    for (placeableObject* object : objectsUnderCursor()) {
        const bool own = object->faction == humanFaction;
        if (context == attackPending && !own) {
            orderAttack(object);
            return;
        }
        if (context == mergePending && own) {
            orderMerge(object);
            return;
        }
        if (context == noOrder) {
            view->commandPanel->update(object);
            return;
        }
    }
}

void gameController::goHome() {
    placeableObject* home = selectedObject != nullptr && selectedObject->inPlay() ? selectedObject : nullptr;
    if (home == nullptr && humanPlayer && humanPlayer->faction != nullptr) {
        for (placeableObject* object : humanPlayer->faction->objects) {
            if (dynamic_cast<city*>(object) != nullptr) {
                home = object;
                break;
            }
        }
        if (home != nullptr && view != nullptr) {
            view->commandPanel->update(home);
        }
    }
    if (home == nullptr) {
        logToConsole("You have no city left to go home to.");
        return;
    }
    if (view != nullptr) {
        view->centreOn(home->x, home->y);
    }
}

void gameController::addButton(button* b) {
    std::cout << "gameController::addButton()\n";
    buttons.push_back(b);
}

void gameController::removeButton(button* b) {
    const auto found = std::find(buttons.begin(), buttons.end(), b);
    if (found != buttons.end()) {
        buttons.erase(found);
    }
}

std::vector<placeableObject*> gameController::objectsUnderCursor() const {
    const float tolerance = cursorTolerance();
    const float cursorX = view->gridViewer->cursorX;
    const float cursorY = view->gridViewer->cursorY;
    std::vector<placeableObject*> found;
    for (const auto& faction : factions) {
        for (placeableObject* object : faction->objects) {
            if (object->isUnderCursor(cursorX, cursorY, tolerance)) {
                found.push_back(object);
            }
        }
    }
    return found;
}
