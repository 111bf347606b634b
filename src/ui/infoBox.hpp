#pragma once

#include "ui/button.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>
#include <memory>
#include <set>
#include <string>
#include <vector>

class gameController;
class gameView;

/// The tall panel in the window's middle that details one object, with a row per citizen whose "X" button
/// chooses the citizen for a split. Hidden at start. Main thread only.
///
/// The rows are drawn through a view of their own ("box coordinates", origin at the content region's top
/// left) and hit-tested in window units, clipped to that region.
class infoBox : public buttonPanel {
  public:
    /// Lays the box out for the window size and registers its Close button with the view's controller.
    explicit infoBox(gameView* owner);
    /// Unregisters every button.
    ~infoBox() override;
    infoBox(const infoBox&) = delete;
    infoBox& operator=(const infoBox&) = delete;

    /// Shows the object as it is now, with a fresh row button per citizen and nobody chosen.
    void update(placeableObject* shown);
    /// While shown, describes the object as it is now, with a row for each citizen there now (those still
    /// there stay chosen).
    void refresh();
    /// Refreshes, then draws the box (wide enough for its longest line), its buttons (grown to their
    /// captions), the rows' highlights and the text while shown.
    void display();
    /// Unregisters and destroys the row buttons and unregisters Split; the box stays as it is.
    void deleteButtons();
    /// Moves the text and the row buttons by `dy` window units.
    void scrollOffset(int dy);
    void scrollUp() { scrollOffset(-SCROLL_STEP); }
    void scrollDown() { scrollOffset(SCROLL_STEP); }
    /// The content region in unscaled window units.
    sf::FloatRect getCoordinatesRect() const;
    void hide() { visible = false; }
    /// Chooses `citizen` for the split, or unchooses it. A citizen who has left the shown object is not
    /// chosen; the console says so.
    void togglePerson(person* citizen);

    placeableObject* shownObject() const override { return object; }
    bool takesClicks() const override { return visible; }

    static constexpr int SCROLL_STEP = 15;
    /// The box's width while its lines fit in it [Units: window units].
    static constexpr int DEFAULT_WIDTH = 600;
    /// Height of a citizen's three lines [Units: window units].
    static constexpr int ROW_HEIGHT = 69;

    sf::RectangleShape box;
    sf::Text text;
    bool visible = false;
    std::unique_ptr<button> closeButton;
    std::unique_ptr<button> splitButton;
    placeableObject* object = nullptr;
    int boxWidth = DEFAULT_WIDTH;
    int boxHeight = 800;
    /// Citizens chosen for the next split.
    std::set<person*> selectedPeople;
    gameController* controller;
    /// One per citizen of the shown object, in its order.
    std::vector<std::unique_ptr<button>> personButtons;
    /// Top of the first citizen's row in box coordinates: under the thirteen header lines.
    int rowStart = 300;

  private:
    /// Top left of the content region in window units.
    int contentLeft() const;
    /// A row button for each citizen of the shown object, scrolled as the text is, registered.
    void makeRows();
    /// Sizes the box to its text and the Close and Split buttons to their captions. Needs the graphics
    /// context.
    void fitWidth();
    /// The text as last set.
    std::string shownText;
    bool captionsFitted = false;
};

/// Hides the info box that owns the button and releases its row buttons.
void closeInfoBox(buttonPanel* owner, placeableObject* object, gameController* controller, person* chosen);
/// Makes a new unit of the chosen citizens, selects it and makes its move pending; the box closes.
void splitUnit(buttonPanel* owner, placeableObject* object, gameController* controller, person* chosen);
/// Chooses or unchooses the button's citizen for the split.
void selectPerson(buttonPanel* owner, placeableObject* object, gameController* controller, person* chosen);
