#pragma once

class gameController;
class gameView;

/// View mode 0: the whole world, wrapping east to west, with the locator over the selected grid.
/// Draws what the gameView holds; keeps no state of its own. Main thread only.
class mapView {
  public:
    mapView(gameView* owner, gameController* gameControl);

    /// Enters the grid view on the selection.
    void zoomIn();
    /// Move the selection by one grid, once per pan period; up and down stop at the world's edge rows.
    void moveRight();
    void moveLeft();
    void moveDown();
    void moveUp();
    /// Draws the map's six sprites with the window's current view.
    void updateMapView();
    /// Draws the map, the marks of every city and unit in play and the locator into a right-aligned
    /// viewport: `top` as a fraction of the window's height, the size in window pixels.
    void drawWorldMap(float top, float mapWidth, float mapHeight);
    /// One frame of view mode 0, input included.
    void displayWorldMap();

    gameView* parent;
    gameController* controller;
};
