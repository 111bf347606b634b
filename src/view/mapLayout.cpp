#include "view/mapLayout.hpp"

#include "path/pathGeometry.hpp"

#include <algorithm>

namespace {
/// The locator keeps this many grids away from either side of the window before the map scrolls.
constexpr int SCROLL_MARGIN_GRIDS = 3;
} // namespace

mapLayout computeMapLayout(int cellsAcross, int cellsDown, int windowWidth, int windowHeight,
                           int capPictureWidth, int capPictureHeight) {
    mapLayout layout{};
    layout.mapWidth = cellsAcross * mapLayout::PIXELS_PER_CELL;
    layout.mapHeight = cellsDown * mapLayout::PIXELS_PER_CELL;
    layout.capHeight = capPictureHeight;
    layout.capScaleX = static_cast<float>(layout.mapWidth) / static_cast<float>(capPictureWidth);
    layout.screenMultiple = windowWidth / layout.mapWidth;
    layout.cellPixels = static_cast<float>(windowWidth) / static_cast<float>(cellsAcross);
    layout.mapPixelHeight = layout.cellPixels * static_cast<float>(cellsDown);

    const float halfWidth = static_cast<float>(layout.mapWidth) / 2.0f;
    layout.cameraCentre = {halfWidth, static_cast<float>(layout.mapHeight) / 2.0f};
    // One copy of the map spans the window's width; the height keeps the window's proportions.
    layout.cameraSize = {static_cast<float>(layout.mapWidth), static_cast<float>(windowHeight) *
                                                                  static_cast<float>(layout.mapWidth) /
                                                                  static_cast<float>(windowWidth)};
    layout.cameraMinX = halfWidth;
    layout.cameraMaxX = halfWidth + static_cast<float>(layout.mapWidth);

    const int margin = SCROLL_MARGIN_GRIDS * mapLayout::GRID_PIXELS;
    layout.leftScrollEdge = static_cast<float>(layout.screenMultiple * margin);
    layout.rightScrollEdge = static_cast<float>(layout.screenMultiple * (layout.mapWidth - margin));
    return layout;
}

sf::Vector2f locatorStart(const mapLayout& layout, int gridX, int windowHeight) {
    // Over column gridX − 1, which the grid views centre on, as the camera starts: a grid is 10 cells.
    return {static_cast<float>(gridX - 1) * 10.0f * layout.cellPixels,
            (static_cast<float>(windowHeight) - layout.mapPixelHeight) * 0.5f};
}

std::vector<sf::IntRect> pictureStrips(int pictureWidth, int pictureHeight, int maxStripWidth) {
    std::vector<sf::IntRect> strips;
    for (int left = 0; left < pictureWidth; left += maxStripWidth) {
        strips.emplace_back(left, 0, std::min(maxStripWidth, pictureWidth - left), pictureHeight);
    }
    return strips;
}

std::optional<sf::Vector2f> mapPointUnderMouse(const sf::View& camera, int mouseX, int mouseY,
                                               float windowScale, int windowWidth, int windowHeight,
                                               int columns, int rows) {
    const sf::Vector2f across(
        static_cast<float>(mouseX) / windowScale / static_cast<float>(windowWidth) - 0.5f,
        static_cast<float>(mouseY) / windowScale / static_cast<float>(windowHeight) - 0.5f);
    const sf::Vector2f mapPixel(camera.getCenter().x + across.x * camera.getSize().x,
                                camera.getCenter().y + across.y * camera.getSize().y);
    const float gridPixels = static_cast<float>(mapLayout::GRID_PIXELS);
    const float y = mapPixel.y / gridPixels;
    if (y < 0 || y >= static_cast<float>(rows)) {
        return std::nullopt;
    }
    // The camera shows two copies of the map side by side.
    return sf::Vector2f(wrapAcross(mapPixel.x / gridPixels, columns) + 1.0f, y);
}
