#pragma once

#include <SFML/Graphics/RectangleShape.hpp>

class gameController;
class gameView;

/// The tall panel in the window's middle that details one object. Hidden at start. Main thread only.
class infoBox {
  public:
    explicit infoBox(gameView* owner);

    /// Draws the box while it is shown.
    void display();
    void hide() { visible = false; }

    sf::RectangleShape box;
    bool visible = false;
    int boxWidth = 600;
    int boxHeight = 800;
    gameController* controller;
};
