#include "view/gridView.hpp"

#include "app/gameInit.hpp"
#include "app/settings.hpp"
#include "app/utilities.hpp"
#include "path/aStarGraph.hpp"
#include "path/pathGeometry.hpp"
#include "sim/Faction.hpp"
#include "sim/placeableObject.hpp"
#include "ui/consoleView.hpp"
#include "ui/gameController.hpp"
#include "view/gameView.hpp"
#include "view/mapView.hpp"
#include "world/worldMap.hpp"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>
#include <mutex>

namespace {
constexpr int CELLS_PER_GRID = 10;
/// The overview map's top edge as a share of the window's height.
constexpr float OVERVIEW_TOP = -0.02f;
} // namespace

gridView::gridView(gameView* owner, gameController* gameControl)
    : parent(owner), controller(gameControl), squarePixels(width / 9) {
    const std::size_t grids = static_cast<std::size_t>(numHorizontalGrids() * numVerticalGrids());
    gridSprites.resize(grids);
    gridTextures.resize(grids);
    subGrids.resize(grids);
    for (std::size_t i = 0; i < grids; ++i) {
        gridSprites[i] = std::make_unique<sf::Sprite>();
        subGrids[i] = std::make_unique<subGridObject>();
    }
}

gridView::~gridView() = default;

std::size_t gridView::gridIndex(int x, int y) const {
    return static_cast<std::size_t>(x) * static_cast<std::size_t>(numVerticalGrids()) +
           static_cast<std::size_t>(y);
}

sf::Texture* gridView::gridTexture(int x, int y) const {
    return gridTextures[gridIndex(x, y)].get();
}

subGridObject& gridView::subGrid(int x, int y) {
    return *subGrids[gridIndex(x, y)];
}

int gridView::wrapGlobalX(int x) const {
    return wrapColumn(x, numHorizontalGrids());
}

bool gridView::validMapCoords(int x, int y) const {
    return x >= 0 && x < numHorizontalGrids() && y >= 0 && y < numVerticalGrids();
}

void gridView::setToDisplay(int x, int y) {
    x = wrapGlobalX(x);
    if (validMapCoords(x, y)) {
        subGrid(x, y).toDisplay = true;
    }
}

void gridView::zoomOut() {
    display -= 1;
}

void gridView::zoomIn() {
    if (display == 2) {
        return;
    }
    offsetX = 0;
    offsetY = 0;
    const int c = wrapGlobalX(parent->gridX - 1);
    const int r = parent->gridY;
    if (validMapCoords(c, r) && !subGrid(c, r).loaded) {
        loadingText();
        App->display();
        loadSubgrids(c, r, parent->world->data);
    }
    display = 2;
}

void gridView::moveLeft() {
    if (parent->panStepped[panLeft]) {
        return;
    }
    parent->panStepped[panLeft] = true;
    if (display == 1) {
        parent->panMove(-10, 0, parent->cellPixels);
        loadGrids(false, &parent->mapCamera, parent->gridX, parent->gridY);
    } else if (display == 2) {
        if (cellX > 0) {
            offsetX += 1;
        } else {
            offsetX -= 9;
            parent->panMove(-10, 0, parent->cellPixels);
        }
    }
}

void gridView::moveRight() {
    if (parent->panStepped[panRight]) {
        return;
    }
    parent->panStepped[panRight] = true;
    if (display == 1) {
        parent->panMove(10, 0, parent->cellPixels);
        loadGrids(false, &parent->mapCamera, parent->gridX, parent->gridY);
    } else if (display == 2) {
        if (cellX < 9) {
            offsetX -= 1;
        } else {
            offsetX += 9;
            parent->panMove(10, 0, parent->cellPixels);
        }
    }
}

void gridView::moveUp() {
    if (parent->panStepped[panUp]) {
        return;
    }
    parent->panStepped[panUp] = true;
    if (display == 1) {
        if (parent->gridY >= 1) {
            parent->panMove(0, -10, parent->cellPixels);
            loadGrids(false, &parent->mapCamera, parent->gridX, parent->gridY);
        }
    } else if (display == 2) {
        if (cellY > 0) {
            offsetY += 1;
        } else if (parent->gridY >= 1) {
            offsetY -= 9;
            parent->panMove(0, -10, parent->cellPixels);
        }
    }
}

void gridView::moveDown() {
    if (parent->panStepped[panDown]) {
        return;
    }
    parent->panStepped[panDown] = true;
    if (display == 1) {
        if (parent->gridY < numVerticalGrids() - 1) {
            parent->panMove(0, 10, parent->cellPixels);
            loadGrids(false, &parent->mapCamera, parent->gridX, parent->gridY);
        }
    } else if (display == 2) {
        if (cellY < 9) {
            offsetY -= 1;
        } else if (parent->gridY < numVerticalGrids() - 1) {
            offsetY += 9;
            parent->panMove(0, 10, parent->cellPixels);
        }
    }
}

void gridView::relativeMouseCoordinates(float* outX, float* outY, float baseX, float baseY) const {
    const std::optional<sf::Vector2f> point =
        worldPointUnderMouse(display, parent->mouseX, parent->mouseY, squarePixels, scale, baseX, baseY);
    if (point) {
        *outX = point->x;
        *outY = point->y;
    }
}

void gridView::updateCursor() {
    const float x = static_cast<float>(parent->gridX);
    const float y = static_cast<float>(parent->gridY);
    if (display == 2) {
        relativeMouseCoordinates(&cursorX, &cursorY, x + static_cast<float>(cellX) / 10.0f,
                                 y + static_cast<float>(cellY) / 10.0f);
    } else if (display == 1) {
        relativeMouseCoordinates(&cursorX, &cursorY, x, y);
    } else if (display == 0) {
        const std::optional<sf::Vector2f> point =
            mapPointUnderMouse(parent->mapCamera, parent->mouseX, parent->mouseY, scale, width, height,
                               numHorizontalGrids(), numVerticalGrids());
        if (point) {
            cursorX = point->x;
            cursorY = point->y;
        }
    }
}

gridFrame gridView::frame(int level) const {
    return {level,   parent->gridX, parent->gridY, offsetX,
            offsetY, squarePixels,  height,        numHorizontalGrids()};
}

void gridView::displayGrid(int level) {
    cellX = 4 - offsetX;
    cellY = 5 - offsetY;
    const int c = parent->gridX - 1;
    const int r = parent->gridY;
    for (const sf::Vector2i& neighbour : neighboursToMark(cellX, cellY)) {
        setToDisplay(c + neighbour.x, r + neighbour.y);
    }
    releaseDistantSubgrids();
    if (level == 0 && gridPicturesStale()) {
        loadGrids(false, &parent->mapCamera, parent->gridX, parent->gridY);
    }
    drawGrids(level);
    controller->checkForInput();
    if (!App->isOpen()) {
        return;
    }
    App->setView(App->getDefaultView());

    std::string text = "X: " + intToString(parent->gridX);
    if (level == 1) {
        text += "." + intToString(cellX) + "\nY: " + intToString(parent->gridY) + "." + intToString(cellY);
    } else {
        text += "\nY: " + intToString(parent->gridY);
    }
    updateCursor();
    text += "\nmX: " + floatToString(cursorX) + "\nmY: " + floatToString(cursorY);
    int terrainHeight = 0;
    const float worldX = cursorX - 1;
    if (worldX > 0 && worldX < static_cast<float>(numHorizontalGrids()) && cursorY > 0 &&
        cursorY < static_cast<float>(numVerticalGrids())) {
        terrainHeight = graph->mapGridTerrain(getMapGridX(cursorX), getMapGridY(cursorY));
    }
    text += "\nmapGridTerrain\n[" + intToString(getMapGridX(cursorX)) + "][" +
            intToString(getMapGridY(cursorY)) + "]" + "\nTerrain height:\n" + intToString(terrainHeight);
    parent->coordText = sf::Text(text, arial, 30);
    parent->coordText.setFillColor(sf::Color::Green);
    parent->coordText.move(0, static_cast<float>(height / 4));

    const sf::FloatRect overview = overviewArea();
    parent->mapViewer->drawWorldMap(overview.top / static_cast<float>(height), overview.width,
                                    overview.height);
}

sf::FloatRect gridView::overviewArea() const {
    const float across = static_cast<float>(width / 4);
    return {static_cast<float>(width) - across, OVERVIEW_TOP * static_cast<float>(height), across,
            static_cast<float>(height / 4)};
}

void gridView::drawGrids(int level) {
    sf::View whole(sf::Vector2f(static_cast<float>(width / 2), static_cast<float>(height / 2)),
                   sf::Vector2f(static_cast<float>(width), static_cast<float>(height)));
    whole.zoom(resolution);
    App->setView(whole);
    const int top = -(height / 2) - squarePixels / 2;

    if (level == 0) {
        for (const gridToLoad& grid :
             gridLoadBlock(parent->gridX, parent->gridY, numHorizontalGrids(), numVerticalGrids())) {
            sf::Texture* texture = gridTexture(grid.column, grid.row);
            if (texture == nullptr) {
                continue;
            }
            const int i = grid.scanIndex / gridSpan;
            const int j = grid.scanIndex % gridSpan;
            sf::Sprite& sprite = *gridSprites[gridIndex(grid.column, grid.row)];
            sprite.setTexture(*texture);
            sprite.setPosition(static_cast<float>(squarePixels * i),
                               static_cast<float>(j * squarePixels + top));
            const float f = fillingScale(*texture);
            sprite.setScale(f, f);
            App->draw(sprite);
        }
    } else {
        for (int pass = 0; pass < 2; ++pass) {
            for (int i = 0; i < 3; ++i) {
                for (int j = 0; j < 3; ++j) {
                    const int x = wrapGlobalX(parent->gridX - 2 + i);
                    const int y = parent->gridY - 1 + j;
                    if (!validMapCoords(x, y)) {
                        continue;
                    }
                    subGridObject& cells = subGrid(x, y);
                    // First the grids already loaded, then the wanted ones, each loaded behind a notice.
                    if (pass == 0 ? !cells.loaded : (cells.loaded || !cells.toDisplay)) {
                        continue;
                    }
                    if (pass == 1) {
                        loadingText();
                        App->display();
                        loadSubgrids(x, y, parent->world->data);
                        App->setView(whole);
                    }
                    for (int a = 0; a < CELLS_PER_GRID; ++a) {
                        for (int b = 0; b < CELLS_PER_GRID; ++b) {
                            displayGridSquare(squarePixels, x, y, a, b, i, j);
                        }
                    }
                }
            }
        }
    }
    drawObjects(level);
    if (showPanningRectInGridView) {
        drawCenterRectangle(level, squarePixels);
    }
    App->setView(App->getDefaultView());
}

void gridView::drawObjects(int level) {
    const gridFrame shown = frame(level);
    const float tolerance = objectTolerance(level);
    sf::CircleShape waypointMark(2.0f, 30);
    waypointMark.setFillColor(sf::Color::Magenta);
    const placeableObject* selected = controller->selectedObject;
    for (const std::unique_ptr<Faction>& faction : factions) {
        for (const placeableObject* object : faction->objects) {
            if (const auto at = gridPointOnScreen(shown, object->x, object->y)) {
                object->draw(*App, arial, at->x, at->y, cursorX, cursorY, tolerance);
                if (object == selected) {
                    object->drawSelectionMark(*App, at->x, at->y);
                }
            }
            // A search may be installing a new path from its own thread.
            const std::lock_guard<std::mutex> lock(object->pathMutex);
            if (!object->travelPath) {
                continue;
            }
            for (const waypoint& ahead : *object->travelPath) {
                if (const auto at = gridPointOnScreen(shown, ahead.first, ahead.second)) {
                    waypointMark.setPosition(*at);
                    App->draw(waypointMark);
                }
            }
        }
    }
}

float gridView::fillingScale(const sf::Texture& texture) const {
    const unsigned side = texture.getSize().x;
    return side == 0 ? 1.0f : static_cast<float>(squarePixels) / static_cast<float>(side);
}

void gridView::displayGridSquare(int square, int x, int y, int a, int b, int i, int j) {
    subGridObject& cells = subGrid(x, y);
    sf::Sprite& sprite = cells.tileSprites[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)];
    const sf::Texture& texture =
        (*cells.tileTextures)[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)];
    // A grid loaded again for another window scale has pictures of another size.
    sprite.setTexture(texture, true);
    const float scale = fillingScale(texture);
    sprite.setPosition(
        static_cast<float>((i - 1) * 10 * square + (a + offsetX) * square),
        static_cast<float>((j - 1) * 10 * square + (b + offsetY) * square - height / 2 - square / 2));
    sprite.setScale(scale, scale);
    App->draw(sprite);
}

void gridView::drawCenterRectangle(int level, int square) {
    const int h = square / 2;
    const int w2 = width / 2;
    const int h2 = height / 2;
    const auto side = [](int sizeX, int sizeY, int x, int y) {
        sf::RectangleShape shape(sf::Vector2f(static_cast<float>(sizeX), static_cast<float>(sizeY)));
        shape.setPosition(static_cast<float>(x), static_cast<float>(y));
        shape.setFillColor(sf::Color::Red);
        return shape;
    };
    App->draw(side(5, square, w2 - h, h2 - h - 15));
    App->draw(side(square, 5, w2 - h, h2 + h - 15));
    App->draw(side(5, square + 4, w2 + h, h2 - h - 15));
    App->draw(side(square, 5, w2 - h, h2 - h - 15));
    sf::Text label(level == 0 ? "600 nm" : "60 nm", arial, 30);
    label.setFillColor(sf::Color::Red);
    label.setPosition(static_cast<float>(w2 - 50), static_cast<float>(h2 + 50));
    App->draw(label);
}

void gridView::loadingText() {
    parent->console->drawConsole();
    sf::Text notice("Loading terrain. Please wait.", arial, 30);
    notice.setFillColor(sf::Color::Red);
    notice.setPosition(static_cast<float>(width / 2 - 150), static_cast<float>(height / 2 + 150));
    App->draw(notice);
}
