#pragma once

#include "ui/screenPanels.hpp"
#include "ui/tooltipView.hpp"
#include "view/factionColourSource.hpp"
#include "view/mapLayout.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/System/Clock.hpp>
#include <array>
#include <memory>
#include <vector>

class chartPanel;
class commandBar;
class consoleView;
class gameController;
class gridView;
class iceCap;
class infoBox;
class mapView;
class worldMap;

/// View mode: 0 the world map, 1 the grid view at one screen square per grid, 2 at one per cell.
extern int display;
/// The one font of every text in the window; loaded by viewInit.
extern sf::Font arial;
/// Started at program start; the pan rhythm and the key debounce read its seconds.
extern sf::Clock Clock;

/// Pan-rate flags of gameView::panStepped, by direction.
enum panDirection { panUp, panDown, panRight, panLeft };

/// Owns everything drawn in the game window: the world map's pictures and camera, the locator over the
/// selected grid, the map and grid views and the interface panels. One per run; main thread only.
class gameView {
  public:
    gameView();
    ~gameView();
    gameView(const gameView&) = delete;
    gameView& operator=(const gameView&) = delete;

    /// Second-phase set-up before the window opens: the views, panels, font and map pictures.
    /// The world, caps and controller are not owned and must outlive the view.
    void viewInit(worldMap* worldData, iceCap* north, iceCap* south, gameController* gameControl);
    /// Lays the camera, locator and sprites out for the current world and window size; needs no window.
    void applyLayout();
    /// Colours the map and the caps and makes their textures and sprites.
    void setViewImages();
    /// Draws and shows one frame of the world map with the progress text.
    void loadingScreen(int progress, sf::View camera);
    /// One frame: scroll, the active view (which polls input), the coordinates text and the panels.
    void viewLoopBody();
    /// Moves the selection by whole grids (dx, dy in cells, multiples of 10) and the locator by
    /// (dx × step, dy × step) window pixels. gridX wraps; gridY is not bounded here.
    void panMove(int dx, int dy, float step);
    /// Clears the pan-rate flags when more than 0.1 s have passed since they were last cleared.
    void resetPan();
    /// Enters view mode 1 and loads the grid pictures around the selection.
    void switchToGridView();
    /// Moves the selection onto world point (x, y) (a stored position): in the grid views its grid, and in
    /// view mode 2 its cell, come to the screen's centre; on the world map the locator moves there.
    void centreOn(float x, float y);
    /// Where the panels shown now lie (see panelAt).
    panelAreas shownPanelAreas() const;
    /// Keeps the locator between the scroll edges by scrolling the map under it by one grid a frame.
    void scrollMapUnderLocator();

    std::unique_ptr<mapView> mapViewer;
    std::unique_ptr<gridView> gridViewer;
    worldMap* world = nullptr;
    iceCap* northIce = nullptr;
    iceCap* southIce = nullptr;
    sf::Image worldImage;
    sf::Image northImage;
    sf::Image southImage;
    /// The map's textures exist from setViewImages on: a texture needs the graphics context, which
    /// needs a display, and the view's navigation works without one.
    /// The map picture in strips no wider than the graphics card takes (one strip for the default world),
    /// drawn side by side by one sprite each for the first copy of the map and for the second.
    std::vector<std::unique_ptr<sf::Texture>> worldTexture;
    std::vector<sf::Sprite> worldSprite;
    std::vector<sf::Sprite> worldSpriteWrap;
    std::unique_ptr<sf::Texture> northTexture;
    std::unique_ptr<sf::Texture> southTexture;
    sf::Sprite northSprite;
    sf::Sprite northSpriteWrap;
    sf::Sprite southSprite;
    sf::Sprite southSpriteWrap;
    int screenMultiple = 0;
    int gridX = 18;
    int gridY = 0;
    float cellPixels = 0.0f;
    float mapPixelHeight = 0.0f;
    sf::View mapCamera;
    sf::Text coordText;
    sf::RectangleShape gridLocator;
    std::array<bool, 4> panStepped{};
    float lastPanReset = 0.0f;
    int mouseX = 0;
    int mouseY = 0;
    gameController* controller = nullptr;
    std::unique_ptr<consoleView> console;
    tooltipView tooltip;
    std::unique_ptr<commandBar> commandPanel;
    std::unique_ptr<infoBox> infoPanel;
    /// Sizes derived from the world and window, set by applyLayout.
    mapLayout layout{};
    /// The colour of every faction's marks and chart lines.
    factionColourSource factionColour;
    /// The charts of the factions' statistics, over the map while shown.
    std::unique_ptr<chartPanel> charts;
};
