#pragma once

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

class gameController;
class gameView;

/// The strip along the window's bottom and the details panel above its right end. Main thread only.
class commandBar {
  public:
    explicit commandBar(gameView* owner);

    /// Draws the bar and the panel while the bar is visible.
    void display();
    void hide() { visible = false; }

    sf::RectangleShape panel;
    sf::Text panelText;
    sf::RectangleShape bar;
    bool visible = true;
    int barHeight = 100;
    gameController* controller;
};
