#pragma once

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

class placeableObject;

/// The card that follows the mouse over objects in the grid views. Hidden at start. Main thread only.
class tooltipView {
  public:
    tooltipView();

    /// Shows the card for `object` (null shows a placeholder) 15 window pixels right of the mouse at
    /// window pixel (mouseX, mouseY).
    void update(const placeableObject* object, float mouseX, float mouseY);
    void hide() { visible = false; }
    /// Draws the card when it is shown, grown to hold its lines and kept inside the window. The view draws
    /// it last, over every panel.
    void display();

    sf::RectangleShape box;
    sf::Text text;
    bool visible = false;
    /// The mouse position of the last update [Units: window pixels].
    sf::Vector2f mouse;
};
