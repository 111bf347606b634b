#pragma once

#include "view/gridGeometry.hpp"
#include "world/heightField.hpp"
#include "world/jpegFile.hpp"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/System/Vector2.hpp>
#include <array>
#include <memory>
#include <optional>
#include <vector>

class gameController;
class gameView;

/// The 10 × 10 cell pictures of one grid, indexed [cell column][cell row], with their sprites.
struct subGridObject {
    /// Made when the pictures are loaded and dropped when they are released.
    std::unique_ptr<std::array<std::array<sf::Texture, 10>, 10>> tileTextures;
    std::array<std::array<sf::Sprite, 10>, 10> tileSprites;
    /// The grid is a neighbour whose pictures the cell view wants.
    bool toDisplay = false;
    /// The pictures have been loaded (also when some failed to load).
    bool loaded = false;
    /// The screen square the pictures were decoded for [Units: screen pixels].
    unsigned decodedFor = 0;
};

/// View modes 1 and 2: terrain pictures at one screen square per grid or per cell, the centre mark,
/// the selection and cursor text and the overview map; also the world point under the mouse.
/// Everything runs on the main thread; the loading workers only fill their own pixel buffers.
class gridView {
  public:
    /// Cell pictures are kept only for the grids of this block around the centre grid (3 × 3).
    static constexpr int KEPT_SUBGRID_RADIUS = 1;

    gridView(gameView* owner, gameController* gameControl);
    ~gridView();
    gridView(const gridView&) = delete;
    gridView& operator=(const gridView&) = delete;

    /// `x` brought into 0 … numHorizontalGrids − 1 by whole turns around the world.
    int wrapGlobalX(int x) const;
    bool validMapCoords(int x, int y) const;
    /// Marks grid (x, y), x wrapped, as a neighbour whose cell pictures are wanted; outside rows are ignored.
    void setToDisplay(int x, int y);
    /// Mode 1 → 2: loads the centre grid's cell pictures first (generating missing ones).
    void zoomIn();
    void zoomOut();
    /// By one grid in mode 1, by one cell in mode 2 (crossing into the neighbouring grid at the edges).
    void moveUp();
    void moveDown();
    void moveLeft();
    void moveRight();
    /// Writes the world point under the mouse for the current mode; (baseX, baseY) is the screen centre.
    void relativeMouseCoordinates(float* outX, float* outY, float baseX, float baseY) const;
    /// Works out cursorX and cursorY for the mouse's position in the view mode shown: the grid views' point
    /// under it, or on the world map the map's point (kept when the mouse is over an ice cap).
    void updateCursor();
    /// One frame of view mode 1 (level 0) or 2 (level 1), input included.
    void displayGrid(int level);
    void drawGrids(int level);
    /// Every faction's objects in the block drawn, and the waypoints ahead of each.
    void drawObjects(int level);
    /// Draws cell (a, b) of grid (x, y) as block position (i, j) of the 3 × 3 block, its picture scaled to
    /// fill the screen square.
    void displayGridSquare(int square, int x, int y, int a, int b, int i, int j);
    /// The sprite scale that draws `texture` (a square picture) at one screen square.
    float fillingScale(const sf::Texture& texture) const;
    void drawCenterRectangle(int level, int square);
    /// Where the overview map lies in the grid views: the window's top right quarter, 2 % of the window's
    /// height higher [Units: window units].
    sf::FloatRect overviewArea() const;
    /// Draws the console and the loading notice into the current frame without showing it.
    void loadingText();

    /// Loads the missing grid pictures of the block drawn in mode 1 around (x, y), decoded for the screen
    /// square (all of them again after a change of scale), showing the loading screen with `camera` when
    /// `withProgress`, else the loading notice (none when `camera` is null).
    void loadGrids(bool withProgress, sf::View* camera, int x, int y);
    /// Writes the missing cell pictures of grid (x, y), refined from `heights`, the world map's field.
    void generateSubgrids(int x, int y, const heightField& heights);
    /// Generates the missing cell pictures of grid (x, y), then loads all 100 into its subGridObject.
    void loadSubgrids(int x, int y, const heightField& heights);
    /// Releases the cell pictures of grids outside the kept block around the centre grid, and of grids
    /// decoded for another size of screen square (after a change of window scale), which load again.
    void releaseDistantSubgrids();
    /// The side of a screen square in screen pixels, which the pictures are decoded for.
    unsigned shownSquarePixels() const;
    /// The grid pictures loaded were decoded for another size of screen square than the window's now.
    bool gridPicturesStale() const;

    /// What this frame shows, for placing points on screen (gridPointOnScreen).
    gridFrame frame(int level) const;
    sf::Texture* gridTexture(int x, int y) const;
    subGridObject& subGrid(int x, int y);
    /// Grids whose cell pictures are loaded now.
    const std::vector<sf::Vector2i>& loadedSubgrids() const { return subgridsInMemory; }

    int offsetX = 0;
    int offsetY = 0;
    int cellX = 4;
    int cellY = 5;
    std::vector<std::unique_ptr<sf::Sprite>> gridSprites;
    std::vector<std::unique_ptr<sf::Texture>> gridTextures;
    std::vector<std::unique_ptr<subGridObject>> subGrids;
    gameView* parent;
    gameController* controller;
    float cursorX = 0.0f;
    float cursorY = 0.0f;
    int squarePixels;
    int gridSpan = GRID_SPAN;
    /// The screen square the loaded grid pictures were decoded for [Units: screen pixels].
    unsigned gridPicturesFor = 0;
    /// Decoded cell pictures of the grid being loaded, [a][b]; each loading worker fills its own column.
    std::array<std::array<rgbaPicture, 10>, 10> decodedTiles;

  private:
    std::size_t gridIndex(int x, int y) const;
    /// Uploads the decoded pictures of cell column `a` into `textures` and frees their buffers.
    void uploadColumn(std::array<std::array<sf::Texture, 10>, 10>& textures, int a);

    std::vector<sf::Vector2i> subgridsInMemory;
};

/// Loading worker: decodes the pictures of cells (a, 0 … last) of grid (x, y) into view->decodedTiles[a],
/// no smaller than `shownSide` pixels (see readJpeg). A picture that cannot be read is reported and left
/// empty.
void loadSubgridImageThread(int x, int y, int a, int last, unsigned shownSide, gridView* view);
