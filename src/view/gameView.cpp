#include "view/gameView.hpp"

#include "app/exitRequest.hpp"
#include "app/gameInit.hpp"
#include "app/settings.hpp"
#include "app/utilities.hpp"
#include "path/pathGeometry.hpp"
#include "sim/Faction.hpp"
#include "sim/player.hpp"
#include "ui/chartPanel.hpp"
#include "ui/commandBar.hpp"
#include "ui/consoleView.hpp"
#include "ui/gameController.hpp"
#include "ui/infoBox.hpp"
#include "view/gridGeometry.hpp"
#include "view/gridView.hpp"
#include "view/mapView.hpp"
#include "world/iceCap.hpp"
#include "world/terrainImage.hpp"
#include "world/worldMap.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <algorithm>
#include <cmath>

int display = 0;
sf::Font arial;
sf::Clock Clock;

namespace {
constexpr int CAP_CELLS_ACROSS = iceCap::columns - 1;
constexpr int CAP_CELLS_DOWN = iceCap::rows - 1;
constexpr float PAN_PERIOD_SECONDS = 0.1f;
const sf::Color LOADING_BACKGROUND(0, 255, 0, 255);
constexpr int COORDINATES_FROM_RIGHT = 200;
/// Kept between a text and the window's edge.
constexpr float EDGE_MARGIN = 10.0f;

/// Stands in for the factions' own colours: the player's light green, the others spread round the colour
/// wheel by their place in the game.
sf::Color standInFactionColour(const Faction& faction) {
    if (humanPlayer && humanPlayer->faction == &faction) {
        return LIGHT_GREEN;
    }
    std::size_t place = 0;
    while (place < factions.size() && factions[place].get() != &faction) {
        ++place;
    }
    const float hue = std::fmod(static_cast<float>(place) * 137.5f, 360.0f) / 60.0f;
    const auto channel = [hue](float offset) {
        const float k = std::fmod(offset + hue, 6.0f);
        return static_cast<sf::Uint8>(255 * (1 - 0.75f * std::max(0.0f, std::min({k, 4 - k, 1.0f}))));
    };
    return sf::Color(channel(5), channel(3), channel(1));
}

/// The player's faction's place in the game's factions; past the end when there is none.
std::size_t humanFactionPlace() {
    std::size_t place = 0;
    while (place < factions.size() && !(humanPlayer && humanPlayer->faction == factions[place].get())) {
        ++place;
    }
    return place;
}
} // namespace

gameView::gameView()
    : factionColour(standInFactionColour), charts(std::make_unique<chartPanel>(factionColour)) {
    gridLocator.setSize({0.0f, 0.0f});
}

gameView::~gameView() {
    if (globalConsoleReference == console.get()) {
        globalConsoleReference = nullptr;
    }
}

void gameView::viewInit(worldMap* worldData, iceCap* north, iceCap* south, gameController* gameControl) {
    gameControl->setViewReference(this);
    controller = gameControl;
    gridViewer = std::make_unique<gridView>(this, gameControl);
    mapViewer = std::make_unique<mapView>(this, gameControl);
    world = worldData;
    northIce = north;
    southIce = south;
    // The panels fit their captions and texts to the font's metrics.
    if (!arial.loadFromFile("assets/arial.ttf")) {
        throw exitRequest(1, "Cannot load the font assets/arial.ttf. Start the game from the folder that "
                             "holds assets/ (./run.sh does).");
    }
    console = std::make_unique<consoleView>(gameControl);
    globalConsoleReference = console.get();
    commandPanel = std::make_unique<commandBar>(this);
    infoPanel = std::make_unique<infoBox>(this);
    const unsigned pixels = mapLayout::PIXELS_PER_CELL;
    worldImage.create(static_cast<unsigned>(worldWidth) * pixels, static_cast<unsigned>(worldHeight) * pixels,
                      LOADING_BACKGROUND);
    northImage.create(CAP_CELLS_ACROSS * pixels, CAP_CELLS_DOWN * pixels, LOADING_BACKGROUND);
    southImage.create(CAP_CELLS_ACROSS * pixels, CAP_CELLS_DOWN * pixels, LOADING_BACKGROUND);
    applyLayout();
    coordText.setFillColor(sf::Color::Green);
    setViewImages();
    gridX = 18;
    gridY = 0;
}

void gameView::applyLayout() {
    layout = computeMapLayout(worldWidth, worldHeight, width, height,
                              CAP_CELLS_ACROSS * mapLayout::PIXELS_PER_CELL,
                              CAP_CELLS_DOWN * mapLayout::PIXELS_PER_CELL);
    cellPixels = layout.cellPixels;
    mapPixelHeight = layout.mapPixelHeight;
    screenMultiple = layout.screenMultiple;

    mapCamera = sf::View(layout.cameraCentre, layout.cameraSize);
    mapCamera.zoom(resolution);

    gridLocator.setSize({10 * cellPixels, 10 * cellPixels});
    gridLocator.setFillColor(sf::Color::Transparent);
    gridLocator.setOutlineThickness(5);
    gridLocator.setOutlineColor(sf::Color::Red);
    gridLocator.setPosition(locatorStart(layout, gridX, height));

    const float mapWidth = static_cast<float>(layout.mapWidth);
    const float capHeight = static_cast<float>(layout.capHeight);
    northSprite.setPosition(0, -capHeight);
    northSpriteWrap.setPosition(mapWidth, -capHeight);
    southSprite.setPosition(0, static_cast<float>(layout.mapHeight));
    southSpriteWrap.setPosition(mapWidth, static_cast<float>(layout.mapHeight));
    for (sf::Sprite* cap : {&northSprite, &northSpriteWrap, &southSprite, &southSpriteWrap}) {
        cap->setScale(layout.capScaleX, 1.0f);
    }
}

void gameView::setViewImages() {
    const unsigned pixels = mapLayout::PIXELS_PER_CELL;
    worldImage = writeToImage(world->data, static_cast<unsigned>(worldWidth),
                              static_cast<unsigned>(worldHeight), pixels, false);
    northImage = writeToImage(northIce->data, CAP_CELLS_ACROSS, CAP_CELLS_DOWN, pixels, true);
    southImage = writeToImage(southIce->data, CAP_CELLS_ACROSS, CAP_CELLS_DOWN, pixels, true);

    worldTexture.clear();
    worldSprite.clear();
    worldSpriteWrap.clear();
    const sf::Vector2u size = worldImage.getSize();
    for (const sf::IntRect& strip : pictureStrips(static_cast<int>(size.x), static_cast<int>(size.y),
                                                  static_cast<int>(sf::Texture::getMaximumSize()))) {
        worldTexture.push_back(std::make_unique<sf::Texture>());
        worldTexture.back()->loadFromImage(worldImage, strip);
        const float left = static_cast<float>(strip.left) / worldScale;
        for (std::vector<sf::Sprite>* copy : {&worldSprite, &worldSpriteWrap}) {
            copy->emplace_back(*worldTexture.back());
            copy->back().setScale(1 / worldScale, 1 / worldScale);
            copy->back().setPosition(copy == &worldSprite ? left : static_cast<float>(layout.mapWidth) + left,
                                     0);
        }
    }
    // The south cap's pole row is row 0 of its field; flipped, the pole ends at the bottom.
    southImage.flipVertically();
    southTexture = std::make_unique<sf::Texture>();
    southTexture->loadFromImage(southImage);
    southSprite.setTexture(*southTexture);
    southSpriteWrap.setTexture(*southTexture);
    northTexture = std::make_unique<sf::Texture>();
    northTexture->loadFromImage(northImage);
    northSprite.setTexture(*northTexture);
    northSpriteWrap.setTexture(*northTexture);
}

void gameView::loadingScreen(int progress, sf::View camera) {
    App->clear(sf::Color::Black);
    App->setView(camera);
    mapViewer->drawWorldMap(0, static_cast<float>(width), static_cast<float>(height));
    App->setView(App->getDefaultView());
    sf::Text text("Loading, please wait. " + intToString(progress) + "% complete.", arial, 50);
    text.setFillColor(sf::Color::Green);
    App->draw(text);
    App->display();
}

void gameView::viewLoopBody() {
    controller->processGameTick();
    App->clear(sf::Color::Black);
    scrollMapUnderLocator();
    if (display == 2) {
        gridViewer->displayGrid(1);
    } else if (display == 1) {
        gridViewer->displayGrid(0);
    } else if (display == 0) {
        mapViewer->displayWorldMap();
    }
    // Escape or the close button may have closed the window while input was polled.
    if (!App->isOpen()) {
        return;
    }
    // 200 units from the right edge, or further left when a line is longer.
    const sf::FloatRect coordinates = coordText.getLocalBounds();
    coordText.move(std::min(static_cast<float>(width - COORDINATES_FROM_RIGHT),
                            static_cast<float>(width) - coordinates.left - coordinates.width - EDGE_MARGIN),
                   0);
    App->draw(coordText);
    console->drawConsole();
    tooltip.display();
    commandPanel->display();
    infoPanel->display();
    charts->draw(*App, controller->statistics, factions, humanFactionPlace(),
                 {static_cast<float>(mouseX) / scale, static_cast<float>(mouseY) / scale});
    App->setView(App->getDefaultView());
    App->display();
}

void gameView::scrollMapUnderLocator() {
    const float step = static_cast<float>(mapLayout::GRID_PIXELS);
    if (layout.leftScrollEdge > gridLocator.getPosition().x) {
        gridX -= 1;
        panMove(10, 0, cellPixels);
        mapCamera.move(-step, 0);
        if (mapCamera.getCenter().x < layout.cameraMinX) {
            mapCamera.move(static_cast<float>(layout.mapWidth), 0);
        }
    }
    if (gridLocator.getPosition().x > layout.rightScrollEdge) {
        gridX += 1;
        panMove(-10, 0, cellPixels);
        mapCamera.move(step, 0);
        if (mapCamera.getCenter().x > layout.cameraMaxX) {
            mapCamera.move(-static_cast<float>(layout.mapWidth), 0);
        }
    }
}

void gameView::panMove(int dx, int dy, float step) {
    gridX = wrapColumn(gridX + dx / 10, numHorizontalGrids());
    gridY += dy / 10;
    gridLocator.move(static_cast<float>(dx) * step, static_cast<float>(dy) * step);
}

void gameView::resetPan() {
    if (Clock.getElapsedTime().asSeconds() - lastPanReset > PAN_PERIOD_SECONDS) {
        panStepped.fill(false);
        lastPanReset = Clock.getElapsedTime().asSeconds();
    }
}

void gameView::centreOn(float x, float y) {
    const gridCentre centre = centreOnPoint(x, y, numHorizontalGrids());
    const int columns = numHorizontalGrids();
    // The short way round; on the world map the map scrolls under the locator from the next frame on.
    int across = ((centre.gridX - gridX) % columns + columns) % columns;
    if (across > columns / 2) {
        across -= columns;
    }
    panMove(10 * across, 10 * (centre.gridY - gridY), cellPixels);
    if (display == 1) {
        gridViewer->loadGrids(false, &mapCamera, gridX, gridY);
    } else if (display == 2) {
        gridViewer->offsetX = centre.offsetX;
        gridViewer->offsetY = centre.offsetY;
        // The frame's drawing loads the new centre grid's cell pictures behind the loading notice.
        gridViewer->setToDisplay(gridX - 1, gridY);
    }
}

panelAreas gameView::shownPanelAreas() const {
    panelAreas areas;
    areas.console = console->box.getGlobalBounds();
    if (commandPanel->visible) {
        areas.commandBar = commandPanel->bar.getGlobalBounds();
        areas.detailsPanel = commandPanel->panel.getGlobalBounds();
    }
    if (infoPanel->visible) {
        areas.infoBox = infoPanel->box.getGlobalBounds();
    }
    if (display == 1 || display == 2) {
        areas.overviewMap = gridViewer->overviewArea();
    }
    if (charts->visible) {
        areas.chart = charts->area();
    }
    return areas;
}

void gameView::switchToGridView() {
    display = 1;
    gridViewer->loadGrids(true, &mapCamera, gridX, gridY);
}
