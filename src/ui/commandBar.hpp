#pragma once

#include "ui/button.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>
#include <array>
#include <memory>
#include <string>

class gameController;
class gameView;
class placeableObject;

/// The strip along the window's bottom with the seven buttons that act on the selected object, the status
/// line (game tick and date), and the details panel above the bar's right end. Main thread only.
class commandBar : public buttonPanel {
  public:
    /// Buttons in their order on the bar, right to left.
    enum buttonIndex {
        attackButton,
        moveButton,
        stopButton,
        mergeButton,
        foundButton,
        cancelButton,
        detailsButton
    };
    static constexpr int BUTTON_COUNT = 7;

    /// Lays the bar out for the window size and registers its buttons with the view's controller.
    explicit commandBar(gameView* owner);
    /// Unregisters the buttons.
    ~commandBar() override;
    commandBar(const commandBar&) = delete;
    commandBar& operator=(const commandBar&) = delete;

    /// Selects `object` (not null) for the controller and the bar, and describes it in the panel as it is
    /// now.
    void update(placeableObject* object);
    /// Describes the selected object as it is now.
    void refresh();
    /// Refreshes the panel, then draws the bar, the panel (grown left and up when the text needs more room),
    /// the status line and the buttons (their captions fitted) while the bar is visible.
    void display();
    void hide() { visible = false; }

    placeableObject* shownObject() const override { return selected; }
    bool takesClicks() const override { return visible; }

    sf::RectangleShape panel;
    sf::Text panelText;
    sf::RectangleShape bar;
    sf::Text statusText;
    /// Right of the tick and date: the game's speed, and below it "PAUSED" while the clock is paused.
    sf::Text speedText;
    sf::Text pausedText;
    bool visible = true;
    /// Also the side of the buttons [Units: window units].
    int barHeight = 100;
    std::array<std::unique_ptr<button>, BUTTON_COUNT> buttons;
    placeableObject* selected = nullptr;
    gameController* controller;

  private:
    /// Sizes the panel to its text. Needs the graphics context.
    void fitPanel();
    /// The panel's text as last set.
    std::string shownText;
    bool captionsFitted = false;
};
