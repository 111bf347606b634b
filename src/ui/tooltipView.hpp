#pragma once

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

/// The card that follows the mouse over objects in the grid views. Hidden at start. Main thread only.
class tooltipView {
  public:
    tooltipView();

    void hide() { visible = false; }
    /// Draws the card when it is shown.
    void display();

    sf::RectangleShape box;
    sf::Text text;
    bool visible = false;
};
